#include "platform/gfx/GfxImage.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "object/ReadableFile.h"

// The game ships its images as PNG only, so only PNG is read: the other formats'
// parsers would be reachable from any file in a texture folder, and stb's JPEG and PNM
// header readers write past their tables or overflow on crafted files. stb measures
// the header; libpng decodes the pixels, because stb's PNG decoder hands memcpy a null
// pointer on an empty first IDAT chunk and SDL_image's PNG reader ignores short reads,
// so that a file cut short spins it forever. Once inlined, the PNG header reader looks
// to GCC's optimiser as if it read the bit depth before setting it; it never does, so
// that warning is off for this file.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace {

struct FileClose {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileClose>;

// Where libpng's complaint is kept while its error jump leaves the decoder.
struct PngComplaint {
    char Text[256] = "";
};

void OnPngError(png_structp png, png_const_charp message) {
    auto* complaint = static_cast<PngComplaint*>(png_get_error_ptr(png));
    std::snprintf(complaint->Text, sizeof(complaint->Text), "%s", message);
    png_longjmp(png, 1);
}

// Damage that libpng reads past (a bad CRC in an ancillary chunk) still gives the image.
void OnPngWarning(png_structp, png_const_charp) {}

FilePtr OpenImage(const std::filesystem::path& path, std::string* error) {
    ReadableFile readable(path);
    FilePtr file(readable.ReleaseAsStream());
    if (file == nullptr) {
        *error = readable.Problem();
    }
    return file;
}

// Leaves the file at its start.
bool ReadHeaderSize(FILE* file, int* width, int* height, std::string* error) {
    static constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    unsigned char start[sizeof(kSignature)] = {};
    const size_t got = std::fread(start, 1, sizeof(start), file);
    std::rewind(file);
    if (got != sizeof(start) || std::memcmp(start, kSignature, sizeof(start)) != 0) {
        *error = "not a PNG image, the one image format the game reads";
        return false;
    }
    int components = 0;
    if (stbi_info_from_file(file, width, height, &components) == 0) {
        *error = std::string("unreadable PNG header (") + stbi_failure_reason() + ")";
        return false;
    }
    return true;
}

// Decodes the file as 8-bit RGBA rows of width x height pixels into rows. An error jumps
// back here past libpng's frames only: everything with a destructor lives in the caller.
bool DecodePngRows(FILE* file, png_uint_32 width, png_uint_32 height, png_bytep* rows, PngComplaint& complaint) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &complaint, OnPngError, OnPngWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        std::snprintf(complaint.Text, sizeof(complaint.Text), "out of memory");
        return false;
    }
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    // libpng's own reader stops at the end of the file instead of reading on.
    png_init_io(png, file);
    png_read_info(png, info);
    if (png_get_image_width(png, info) != width || png_get_image_height(png, info) != height) {
        png_error(png, "the size differs from the header's");
    }
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4) {
        png_error(png, "the rows do not come out as RGBA");
    }
    png_read_image(png, rows);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

bool ReadImageHeaderSize(const std::filesystem::path& path, int* width, int* height, std::string* error) {
    const FilePtr file = OpenImage(path, error);
    return file != nullptr && ReadHeaderSize(file.get(), width, height, error);
}

bool ReadImageFile(const std::filesystem::path& path, GfxImage* image, std::string* error, int maxSide) {
    const FilePtr file = OpenImage(path, error);
    int width = 0;
    int height = 0;
    if (file == nullptr || !ReadHeaderSize(file.get(), &width, &height, error)) {
        return false;
    }
    if (width > maxSide || height > maxSide) {
        *error = "the header claims " + std::to_string(width) + "x" + std::to_string(height) +
                 " pixels, over the limit of " + std::to_string(maxSide);
        return false;
    }
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    std::vector<uint8_t> pixels(rowBytes * static_cast<size_t>(height));
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (size_t row = 0; row < rows.size(); ++row) {
        rows[row] = pixels.data() + row * rowBytes;
    }
    PngComplaint complaint;
    if (!DecodePngRows(file.get(), static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), rows.data(),
                       complaint)) {
        *error = std::string("cannot decode the PNG image: ") + complaint.Text;
        return false;
    }
    image->Width = width;
    image->Height = height;
    image->Pixels = std::move(pixels);
    return true;
}
