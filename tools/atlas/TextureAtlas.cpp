#include "tools/atlas/TextureAtlas.h"

#include "tools/io/PngEncoder.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <stdexcept>

namespace qv::tools {

namespace {

constexpr int kPadding = 2;
constexpr int kMaxPageSide = 4096;

bool SameSize(const Image8& a, const Image8& b) {
    return a.Width == b.Width && a.Height == b.Height;
}

// Copies `source`'s rectangle to `page` at `at`, repeating its edge texels
// into the padding so filtering at the frame's border samples the frame itself.
void BlitExtruded(const Image8& source, const PixelRect& from, Image8& page, const PixelRect& at) {
    for (int y = -kPadding; y < at.Height + kPadding; ++y) {
        const int sy = from.Y + std::clamp(y, 0, from.Height - 1);
        for (int x = -kPadding; x < at.Width + kPadding; ++x) {
            const int sx = from.X + std::clamp(x, 0, from.Width - 1);
            const std::uint8_t* s = source.At(sx, sy);
            std::copy(s, s + 4, page.At(at.X + x, at.Y + y));
        }
    }
}

Image8 FilledPage(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    Image8 page(width, height);
    for (std::size_t i = 0; i < page.Pixels.size(); i += 4) {
        page.Pixels[i] = r;
        page.Pixels[i + 1] = g;
        page.Pixels[i + 2] = b;
        page.Pixels[i + 3] = a;
    }
    return page;
}

std::string XmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace

PixelRect OpaqueBounds(const Image8& image) {
    int minX = image.Width, minY = image.Height, maxX = -1, maxY = -1;
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width; ++x) {
            if (image.At(x, y)[3] == 0)
                continue;
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        }
    }
    if (maxX < 0)
        return {0, 0, image.Width, image.Height};
    return {minX, minY, maxX - minX + 1, maxY - minY + 1};
}

void BleedColourIntoTransparent(Image8& image, int passes) {
    for (int pass = 0; pass < passes; ++pass) {
        Image8 next = image;
        bool changed = false;
        for (int y = 0; y < image.Height; ++y) {
            for (int x = 0; x < image.Width; ++x) {
                if (image.At(x, y)[3] != 0)
                    continue;
                int sum[3] = {0, 0, 0}, count = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx < 0 || ny < 0 || nx >= image.Width || ny >= image.Height)
                            continue;
                        const std::uint8_t* n = image.At(nx, ny);
                        // Texels already bled carry colour but no alpha; the sum of their channels marks them.
                        if (n[3] == 0 && n[0] + n[1] + n[2] == 0)
                            continue;
                        for (int c = 0; c < 3; ++c)
                            sum[c] += n[c];
                        ++count;
                    }
                }
                const std::uint8_t* current = image.At(x, y);
                if (count == 0 || current[0] + current[1] + current[2] != 0)
                    continue;
                std::uint8_t* out = next.At(x, y);
                for (int c = 0; c < 3; ++c)
                    out[c] = static_cast<std::uint8_t>(sum[c] / count);
                changed = true;
            }
        }
        image = std::move(next);
        if (!changed)
            break;
    }
}

TextureAtlas::TextureAtlas(std::string textureName, Lighting lighting)
    : mName(std::move(textureName)), mLighting(lighting) {}

void TextureAtlas::Add(AtlasFrame frame) {
    const std::string where = "atlas " + mName + ", frame " + frame.Name;
    if (frame.Name.empty())
        throw std::invalid_argument("atlas " + mName + ": frame without a name");
    if (frame.Colour.Width <= 0 || frame.Colour.Height <= 0)
        throw std::invalid_argument(where + ": empty picture");
    if (mLighting == Lighting::Lit &&
        (!SameSize(frame.Colour, frame.Normal) || !SameSize(frame.Colour, frame.Specular))) {
        throw std::invalid_argument(where + ": normal and specular layers must match the colour layer's size");
    }
    for (const AtlasFrame& existing : mFrames) {
        if (existing.Name == frame.Name)
            throw std::invalid_argument(where + ": name used twice");
    }
    mFrames.push_back(std::move(frame));
}

std::vector<OutputFile> TextureAtlas::Build(const std::filesystem::path& bankFolder) const {
    if (mFrames.empty())
        throw std::logic_error("atlas " + mName + " has no frames");
    std::vector<PixelRect> stored;
    for (const AtlasFrame& frame : mFrames) {
        stored.push_back(frame.Trim ? OpaqueBounds(frame.Colour)
                                    : PixelRect{0, 0, frame.Colour.Width, frame.Colour.Height});
    }
    const AtlasPacker::Result layout = AtlasPacker(kPadding, kMaxPageSide).Pack(stored);

    const bool lit = mLighting == Lighting::Lit;
    Image8 colourPage(layout.PageWidth, layout.PageHeight);
    Image8 normalPage = lit ? FilledPage(layout.PageWidth, layout.PageHeight, 128, 128, 255, 255) : Image8{};
    Image8 specularPage = lit ? FilledPage(layout.PageWidth, layout.PageHeight, 0, 0, 0, 255) : Image8{};

    const std::string stem = lit ? mName + "_COL" : mName;
    std::ostringstream xml;
    xml << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
    xml << "<TextureAtlas imagePath=\"" << XmlEscaped(stem) << ".png\" width=\"" << layout.PageWidth << "\" height=\""
        << layout.PageHeight << "\">\n";
    for (std::size_t i = 0; i < mFrames.size(); ++i) {
        const AtlasFrame& frame = mFrames[i];
        const PixelRect& from = stored[i];
        const PixelRect& at = layout.Placements[i];
        BlitExtruded(frame.Colour, from, colourPage, at);
        if (lit) {
            BlitExtruded(frame.Normal, from, normalPage, at);
            BlitExtruded(frame.Specular, from, specularPage, at);
        }
        xml << "  <sprite n=\"" << XmlEscaped(frame.Name) << "\" x=\"" << at.X << "\" y=\"" << at.Y << "\" w=\""
            << at.Width << "\" h=\"" << at.Height << "\" oX=\"" << from.X << "\" oY=\"" << from.Y << "\" oW=\""
            << frame.Colour.Width << "\" oH=\"" << frame.Colour.Height << "\"/>\n";
    }
    xml << "</TextureAtlas>\n";
    BleedColourIntoTransparent(colourPage, 3);

    std::vector<OutputFile> files;
    files.push_back({bankFolder / (stem + ".xml"), BytesFromText(xml.str())});
    files.push_back({bankFolder / (stem + ".sheet"), EncodePng(colourPage)});
    if (lit) {
        files.push_back({bankFolder / (mName + "_NRM.sheet"), EncodePng(normalPage)});
        files.push_back({bankFolder / (mName + "_SPEC.sheet"), EncodePng(specularPage)});
    }
    return files;
}

}  // namespace qv::tools
