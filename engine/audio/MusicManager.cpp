#include "audio/MusicManager.h"

#include <algorithm>
#include <boost/property_tree/ptree.hpp>
#include <cctype>
#include <charconv>
#include <system_error>
#include <vector>

#include "assets/ContentFiles.h"
#include "object/ContentError.h"
#include "object/ContentWarning.h"
#include "object/JsonFile.h"
#include "platform/DebugPrint.h"
#include "platform/audio/AudioSystem.h"

MusicManager* gMusicManager = nullptr;

namespace {

bool IsLoopPointFile(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".json";
}

// The regular files of the folder in name order; none when the folder does not exist.
std::vector<std::filesystem::path> ListMusicFiles(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::exists(folder, error)) {
        return {};
    }
    return ListContentFiles(folder);
}

// A required member holding a sample frame number: a whole number from 0 to 2^32 - 1.
uint32_t ReadSampleFrame(const boost::property_tree::ptree& tree, const std::string& key,
                         const std::filesystem::path& file) {
    const std::string text = RequireJsonString(tree, key, file);
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value > MusicMetadata::NoLoopPoint) {
        throw ContentError(file, "\"" + key + "\" must be a whole number of sample frames from 0 to 4294967295, not " +
                                     QuotedContent(text));
    }
    return static_cast<uint32_t>(value);
}

// Why two points make no loop, or "" when they make one.
std::string LoopProblem(uint32_t start, uint32_t end) {
    if (start > end) {
        return "the loop start " + std::to_string(start) + " comes after the loop end " + std::to_string(end);
    }
    if (start == end) {
        return "the loop starts where it ends, at sample " + std::to_string(start) + ", so it holds nothing to repeat";
    }
    return {};
}

}  // namespace

MusicManager::MusicManager(AudioSystem& system, const std::filesystem::path& folder) : mSystem(system) {
    Scan(folder);
}

void MusicManager::Scan(const std::filesystem::path& folder) {
    std::map<std::string, std::filesystem::path> loopPointFiles;
    for (const std::filesystem::path& file : ListMusicFiles(folder)) {
        const std::string stem = file.stem().string();
        if (IsLoopPointFile(file)) {
            loopPointFiles[stem] = file;
        } else {
            MusicMetadata track;
            track.FilePath = file.string();
            Tracks[stem] = track;
        }
    }
    // A loop-point file without a track of its stem is ignored.
    for (auto& [name, track] : Tracks) {
        const std::unique_ptr<AudioSound> stream = OpenToCheck(track.FilePath, name);
        const auto loopPoints = loopPointFiles.find(name);
        if (loopPoints != loopPointFiles.end()) {
            ReadLoopPoints(loopPoints->second, name, stream.get(), track);
        }
    }
}

std::unique_ptr<AudioSound> MusicManager::OpenToCheck(const std::filesystem::path& file, const std::string& trackName) {
    std::string problem;
    std::unique_ptr<AudioSound> stream = mSystem.CreateSound(file, SoundStorage::Stream, &problem);
    if (stream == nullptr) {
        WarnContent(problem + "; the music track \"" + trackName + "\" plays nothing");
    } else if (!stream->Damage().empty()) {
        WarnContent(stream->Damage());
    }
    return stream;
}

void MusicManager::ReadLoopPoints(const std::filesystem::path& file, const std::string& trackName, AudioSound* stream,
                                  MusicMetadata& track) {
    const std::string outcome = "; the whole track \"" + trackName + "\" repeats";
    uint32_t start = 0;
    uint32_t end = 0;
    try {
        const boost::property_tree::ptree tree = ReadJsonFile(file);
        start = ReadSampleFrame(tree, "LoopStartSample", file);
        end = ReadSampleFrame(tree, "LoopEndSample", file);
    } catch (const ContentError& error) {
        WarnContent(error.what() + outcome);
        return;
    }
    std::string problem = LoopProblem(start, end);
    if (problem.empty() && stream != nullptr && !stream->SetLoopPoints(start, end)) {
        problem = "the loop end " + std::to_string(end) + " lies past the end of the track";
    }
    if (!problem.empty()) {
        WarnContent(file.generic_string() + ": " + problem + outcome);
        return;
    }
    track.LoopStartSample = start;
    track.LoopEndSample = end;
}

void MusicManager::Play(const std::string& trackName) {
    const auto it = Tracks.find(trackName);
    if (it == Tracks.end()) {
        return;
    }
    const MusicMetadata& track = it->second;
    // Only one stream at a time; releasing it ends its channel.
    Sound.reset();
    Channel = AudioChannel();

    std::string problem;
    Sound = mSystem.CreateSound(track.FilePath, SoundStorage::Stream, &problem);
    if (Sound != nullptr) {
        if (track.HasLoopPoints() && !Sound->SetLoopPoints(track.LoopStartSample, track.LoopEndSample)) {
            DebugPrint(("Music: " + track.FilePath + ": loop points " + std::to_string(track.LoopStartSample) + " to " +
                        std::to_string(track.LoopEndSample) + " do not fit the track; the whole track repeats\n")
                           .c_str());
        }
        Sound->SetLoopCount(-1);
        // Started paused so that a muted track never lets its first frames through.
        Channel = mSystem.Play(*Sound, true);
        Channel.SetMuted(Muted);
        Channel.SetPaused(false);
    } else {
        DebugPrint(("Music: cannot play " + problem + "\n").c_str());
    }
    CurrentTrack = trackName;
}
