#include "tools/io/OggVorbisEncoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <stdexcept>

namespace qv::tools {

namespace {

constexpr int kStreamSerial = 0x51564D55;  // fixed for deterministic output
constexpr int kFramesPerBlock = 4096;

// Owns the libvorbis/libogg encoder state for one stream.
class VorbisStream {
public:
    VorbisStream(int channels, int sampleRate, float quality) {
        vorbis_info_init(&mInfo);
        if (vorbis_encode_init_vbr(&mInfo, channels, sampleRate, quality) != 0) {
            vorbis_info_clear(&mInfo);
            throw std::runtime_error("EncodeOggVorbis: the encoder rejects these channel, rate and quality settings");
        }
        vorbis_comment_init(&mComment);
        vorbis_analysis_init(&mDsp, &mInfo);
        vorbis_block_init(&mDsp, &mBlock);
        ogg_stream_init(&mStream, kStreamSerial);
    }
    ~VorbisStream() {
        ogg_stream_clear(&mStream);
        vorbis_block_clear(&mBlock);
        vorbis_dsp_clear(&mDsp);
        vorbis_comment_clear(&mComment);
        vorbis_info_clear(&mInfo);
    }
    VorbisStream(const VorbisStream&) = delete;
    VorbisStream& operator=(const VorbisStream&) = delete;

    void WriteHeaders(Bytes& out) {
        ogg_packet identification, comment, codebooks;
        vorbis_analysis_headerout(&mDsp, &mComment, &identification, &comment, &codebooks);
        ogg_stream_packetin(&mStream, &identification);
        ogg_stream_packetin(&mStream, &comment);
        ogg_stream_packetin(&mStream, &codebooks);
        // Audio must begin on a fresh page.
        ogg_page page;
        while (ogg_stream_flush(&mStream, &page) != 0)
            AppendPage(out, page);
    }

    void Submit(const float* interleaved, int frames, int channels, Bytes& out) {
        float** buffer = vorbis_analysis_buffer(&mDsp, frames);
        for (int f = 0; f < frames; ++f) {
            for (int c = 0; c < channels; ++c)
                buffer[c][f] = interleaved[f * channels + c];
        }
        vorbis_analysis_wrote(&mDsp, frames);
        Drain(out);
    }

    void Finish(Bytes& out) {
        vorbis_analysis_wrote(&mDsp, 0);
        Drain(out);
    }

private:
    static void AppendPage(Bytes& out, const ogg_page& page) {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    }

    void Drain(Bytes& out) {
        while (vorbis_analysis_blockout(&mDsp, &mBlock) == 1) {
            vorbis_analysis(&mBlock, nullptr);
            vorbis_bitrate_addblock(&mBlock);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&mDsp, &packet) == 1) {
                ogg_stream_packetin(&mStream, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&mStream, &page) != 0)
                    AppendPage(out, page);
            }
        }
        if (mDsp.eofflag) {
            ogg_page page;
            while (ogg_stream_flush(&mStream, &page) != 0)
                AppendPage(out, page);
        }
    }

    vorbis_info mInfo;
    vorbis_comment mComment;
    vorbis_dsp_state mDsp;
    vorbis_block mBlock;
    ogg_stream_state mStream;
};

}  // namespace

Bytes EncodeOggVorbis(const std::vector<float>& interleaved, int channels, int sampleRate, float quality) {
    if (channels < 1 || interleaved.size() % static_cast<std::size_t>(channels) != 0) {
        throw std::invalid_argument("EncodeOggVorbis: sample count is not a whole number of frames");
    }
    VorbisStream stream(channels, sampleRate, quality);
    Bytes out;
    stream.WriteHeaders(out);
    const int totalFrames = static_cast<int>(interleaved.size() / channels);
    for (int start = 0; start < totalFrames; start += kFramesPerBlock) {
        const int frames = std::min(kFramesPerBlock, totalFrames - start);
        stream.Submit(interleaved.data() + static_cast<std::size_t>(start) * channels, frames, channels, out);
    }
    stream.Finish(out);
    return out;
}

}  // namespace qv::tools
