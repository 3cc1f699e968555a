#include "png_decode.h"

#include <csetjmp>
#include <cstring>
#include <png.h>
#include <vector>

// libpng reports an error by longjmp back to the setjmp of the frame that called it. So the
// frames that call setjmp, and every callback libpng calls, hold plain data only: no destructor
// is ever skipped. The objects that own memory live in DecodePng, above them.

namespace vellicor {
namespace {

constexpr png_uint_32 kIdat = 0x49444154U; // "IDAT", as png_get_io_chunk_type gives it

// The bytes libpng reads, as it asks for them.
struct Source {
    const png_byte* data;
    std::size_t size;
    std::size_t at;
};

void ReadBytes(png_structp png, png_bytep out, std::size_t length) {
    auto* source = static_cast<Source*>(png_get_io_ptr(png));
    if (length > source->size - source->at)
        png_error(png, "cut short");
    std::memcpy(out, source->data + source->at, length);
    source->at += length;
}

// libpng's own words would reach stderr; the caller says what went wrong instead.
[[noreturn]] void OnError(png_structp png, png_const_charp /*message*/) {
    png_longjmp(png, 1);
}

// Misplaced or empty ancillary chunks are taken quietly, as viewers take them. A fault in the
// image data itself (a wrong checksum, data missing or left over) refuses the file.
void OnWarning(png_structp png, png_const_charp /*message*/) {
    if (png_get_io_chunk_type(png) == kIdat)
        png_longjmp(png, 1);
}

// Reads the signature and the chunks before the image data.
bool ReadHeader(png_structp png, png_infop info, Source* source) {
    if (setjmp(png_jmpbuf(png)) != 0)
        return false;
    png_set_read_fn(png, source, ReadBytes);
    // Only the chunks that decide the pixels are read: text, profiles and the rest are skipped
    // unread, so none can ask for work (decompression, memory) that a sprite never needs.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_read_info(png, info);
    return true;
}

// Decodes every pixel into `rows`, each `rowBytes` long, as 8-bit RGBA.
bool ReadPixels(png_structp png, png_infop info, png_bytepp rows, std::size_t rowBytes) {
    if (setjmp(png_jmpbuf(png)) != 0)
        return false;
    png_set_palette_to_rgb(png);
    png_set_expand_gray_1_2_4_to_8(png);
    png_set_tRNS_to_alpha(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != rowBytes)
        return false;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

// libpng's read state, freed however the read ends.
struct Reader {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    Reader() = default;
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
    ~Reader() { png_destroy_read_struct(&png, &info, nullptr); }
};

} // namespace

PngPixels DecodePng(const QByteArray& bytes, int maxSide) {
    Reader reader;
    Source source{reinterpret_cast<const png_byte*>(bytes.constData()),
                  static_cast<std::size_t>(bytes.size()), 0};
    if (reader.info == nullptr || !ReadHeader(reader.png, reader.info, &source))
        return {};
    // libpng refuses a side above 2^31 - 1, so both fit an int.
    const QSize size(static_cast<int>(png_get_image_width(reader.png, reader.info)),
                     static_cast<int>(png_get_image_height(reader.png, reader.info)));
    if (size.width() > maxSide || size.height() > maxSide)
        return {PngPixels::Outcome::TooLarge, size, {}};
    const auto rowBytes = static_cast<std::size_t>(size.width()) * 4;
    std::vector<std::uint8_t> rgba(rowBytes * static_cast<std::size_t>(size.height()));
    std::vector<png_bytep> rows(static_cast<std::size_t>(size.height()));
    for (std::size_t y = 0; y < rows.size(); ++y)
        rows[y] = rgba.data() + y * rowBytes;
    if (!ReadPixels(reader.png, reader.info, rows.data(), rowBytes))
        return {PngPixels::Outcome::Damaged, size, {}};
    return {PngPixels::Outcome::Decoded, size, std::move(rgba)};
}

} // namespace vellicor
