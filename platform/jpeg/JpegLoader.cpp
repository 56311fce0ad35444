#include "platform/jpeg/JpegLoader.h"

#include "platform/files/DataFile.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// Progressive files with thousands of tiny scans take minutes to decode;
// no real picture needs more than a few dozen.
constexpr int MaxProgressiveScans = 500;
constexpr long MaxDecoderMemory = 512L * 1024 * 1024;

struct Decoder {
    jpeg_decompress_struct info {};
    jpeg_error_mgr errors {};
    jpeg_progress_mgr progress {};
    std::jmp_buf escape {};
    char error[JMSG_LENGTH_MAX] = {};
    char firstWarning[JMSG_LENGTH_MAX] = {};
    enum class Refusal { None, TooLarge, TooManyScans } refusal = Refusal::None;
};

Decoder* decoderOf(j_common_ptr common)
{
    return static_cast<Decoder*>(common->client_data);
}

[[noreturn]] void escapeOnError(j_common_ptr common)
{
    Decoder* decoder = decoderOf(common);
    (*common->err->format_message)(common, decoder->error);
    std::longjmp(decoder->escape, 1);
}

// Replaces libjpeg's printing to stderr: warnings are counted and the first
// one kept for the caller; trace messages are dropped.
void keepWarning(j_common_ptr common, int level)
{
    if (level >= 0)
        return;
    if (common->err->num_warnings == 0)
        (*common->err->format_message)(common, decoderOf(common)->firstWarning);
    ++common->err->num_warnings;
}

void limitScans(j_common_ptr common)
{
    auto* info = reinterpret_cast<j_decompress_ptr>(common);
    if (info->progressive_mode && info->input_scan_number > MaxProgressiveScans) {
        Decoder* decoder = decoderOf(common);
        decoder->refusal = Decoder::Refusal::TooManyScans;
        std::longjmp(decoder->escape, 1);
    }
}

bool isCmyk(J_COLOR_SPACE space)
{
    return space == JCS_CMYK || space == JCS_YCCK;
}

void prepareOutput(j_decompress_ptr info)
{
    if (info->jpeg_color_space == JCS_GRAYSCALE)
        info->out_color_space = JCS_GRAYSCALE;
    else if (isCmyk(info->jpeg_color_space))
        info->out_color_space = JCS_CMYK;
    else
        info->out_color_space = JCS_EXT_RGBA; // alpha is always 0xFF
}

QImage::Format imageFormat(J_COLOR_SPACE out)
{
    return out == JCS_GRAYSCALE ? QImage::Format_Grayscale8 : QImage::Format_RGBX8888;
}

// Adobe writes CMYK inverted (0 means full ink), which is what nearly every
// CMYK JPEG in circulation carries.
void cmykToRgbx(const JSAMPLE* cmyk, uchar* rgbx, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgbx += 4) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        rgbx[0] = uchar(c * k / 255);
        rgbx[1] = uchar(m * k / 255);
        rgbx[2] = uchar(y * k / 255);
        rgbx[3] = 0xFF;
    }
}

void readRows(Decoder* decoder, QImage* image)
{
    j_decompress_ptr info = &decoder->info;
    const bool cmyk = info->out_color_space == JCS_CMYK;
    JSAMPARRAY cmykRow = nullptr;
    if (cmyk)
        cmykRow = (*info->mem->alloc_sarray)(
            reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE, info->output_width * 4, 1);
    while (info->output_scanline < info->output_height) {
        const int y = int(info->output_scanline);
        JSAMPROW row = cmyk ? cmykRow[0] : image->scanLine(y);
        if (jpeg_read_scanlines(info, &row, 1) != 1) {
            std::snprintf(decoder->error, sizeof decoder->error, "decoder stalled at row %d", y);
            std::longjmp(decoder->escape, 1);
        }
        if (cmyk)
            cmykToRgbx(cmykRow[0], image->scanLine(y), info->output_width, info->saw_Adobe_marker);
    }
}

// libjpeg leaves by longjmp on any error. Everything this frame owns is plain
// data or lives in *decoder and *image, so the jump skips no destructor.
bool runDecoder(Decoder* decoder, const QByteArray* bytes, QImage* image)
{
    j_decompress_ptr info = &decoder->info;
    if (setjmp(decoder->escape))
        return false;
    jpeg_create_decompress(info);
    info->client_data = decoder;
    info->mem->max_memory_to_use = MaxDecoderMemory;
    info->progress = &decoder->progress;
    jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(bytes->constData()),
        static_cast<unsigned long>(bytes->size()));
    jpeg_read_header(info, TRUE);
    prepareOutput(info);
    jpeg_calc_output_dimensions(info);
    if (qint64(info->output_width) * qint64(info->output_height) > MaxJpegPixels) {
        decoder->refusal = Decoder::Refusal::TooLarge;
        return false;
    }
    *image = QImage(int(info->output_width), int(info->output_height), imageFormat(info->out_color_space));
    if (image->isNull()) {
        std::snprintf(decoder->error, sizeof decoder->error, "out of memory");
        return false;
    }
    jpeg_start_decompress(info);
    readRows(decoder, image);
    jpeg_finish_decompress(info);
    return true;
}

QString refusalText(const Decoder& decoder)
{
    if (decoder.refusal == Decoder::Refusal::TooManyScans)
        return QStringLiteral("Изображение из слишком многих проходов (больше %1)").arg(MaxProgressiveScans);
    return QStringLiteral("Изображение слишком велико: %1 × %2 точек")
        .arg(decoder.info.output_width)
        .arg(decoder.info.output_height);
}

} // namespace

JpegResult DecodeJpeg(const QByteArray& bytes)
{
    JpegResult result;
    if (bytes.isEmpty()) {
        result.error = QStringLiteral("Файл пуст");
        return result;
    }
    Decoder decoder;
    decoder.info.err = jpeg_std_error(&decoder.errors);
    decoder.errors.error_exit = escapeOnError;
    decoder.errors.emit_message = keepWarning;
    decoder.progress.progress_monitor = limitScans;
    decoder.info.client_data = &decoder;

    QImage image;
    const bool decoded = runDecoder(&decoder, &bytes, &image);
    if (decoded) {
        result.image = image;
        if (decoder.errors.num_warnings > 0)
            result.warning = QString::fromLocal8Bit(decoder.firstWarning);
    } else if (decoder.refusal != Decoder::Refusal::None) {
        result.error = refusalText(decoder);
    } else {
        result.error = QStringLiteral("Файл JPEG поврежден: %1").arg(QString::fromLocal8Bit(decoder.error));
    }
    jpeg_destroy_decompress(&decoder.info);
    return result;
}

JpegResult LoadJpeg(const QString& path)
{
    // A folder, pipe or device would never give a picture and might never end;
    // the reader opens regular files only and reads a bounded size.
    const DataFile::Contents contents = DataFile::read(path, MaxJpegFileSize);
    JpegResult result;
    switch (contents.status) {
    case DataFile::Status::Read:
        return DecodeJpeg(contents.bytes);
    case DataFile::Status::Missing:
        result.error = QStringLiteral("Файл не найден: %1").arg(path);
        break;
    case DataFile::Status::NotAFile:
        result.error = QStringLiteral("Это не файл: %1").arg(path);
        break;
    case DataFile::Status::Cut:
        result.error = QStringLiteral("Файл слишком велик: %1").arg(path);
        break;
    case DataFile::Status::CannotOpen:
        result.error = contents.problem;
        break;
    }
    return result;
}
