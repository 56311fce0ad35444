// Writes the JPEG test files that Qt and ImageMagick cannot make, straight
// through libjpeg:
//   many-scans.jpg  8x8 greyscale progressive with 640 scans
//   quads-rgb.jpg   16x16 quadrants stored as RGB without a colour transform
//   quads-ycck.jpg  16x16 quadrants stored as YCCK, Adobe-inverted like Photoshop's
//   quads-cmyk-plain.jpg  16x16 quadrants as plain CMYK (0 = no ink) without an Adobe marker
// Build and run by hand:
//   g++ tools/make-test-jpegs.cpp -ljpeg -o /tmp/make-test-jpegs && /tmp/make-test-jpegs tests/data/jpeg
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

struct Writer {
    jpeg_compress_struct c {};
    jpeg_error_mgr e {};
    FILE* out = nullptr;

    Writer(const std::string& path, int width, int height, int components, J_COLOR_SPACE in)
    {
        c.err = jpeg_std_error(&e);
        jpeg_create_compress(&c);
        out = std::fopen(path.c_str(), "wb");
        if (!out) {
            std::perror(path.c_str());
            std::exit(1);
        }
        jpeg_stdio_dest(&c, out);
        c.image_width = JDIMENSION(width);
        c.image_height = JDIMENSION(height);
        c.input_components = components;
        c.in_color_space = in;
        jpeg_set_defaults(&c);
        jpeg_set_quality(&c, 95, TRUE);
    }
    void write(const std::vector<JSAMPLE>& pixels)
    {
        jpeg_start_compress(&c, TRUE);
        const int stride = int(c.image_width) * c.input_components;
        for (JDIMENSION y = 0; y < c.image_height; ++y) {
            JSAMPROW row = const_cast<JSAMPLE*>(pixels.data()) + y * stride;
            jpeg_write_scanlines(&c, &row, 1);
        }
        jpeg_finish_compress(&c);
        std::fclose(out);
        jpeg_destroy_compress(&c);
    }
};

enum class Storage { Rgb, AdobeCmyk, PlainCmyk };

// Red, green, blue and white quadrants. Pure colours need no black ink.
std::vector<JSAMPLE> quadrants(Storage storage)
{
    std::vector<JSAMPLE> pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int quadrant = (y >= 8) * 2 + (x >= 8);
            const int rgb[4][3] = { { 255, 0, 0 }, { 0, 255, 0 }, { 0, 0, 255 }, { 255, 255, 255 } };
            const int* colour = rgb[quadrant];
            switch (storage) {
            case Storage::Rgb:
                pixels.insert(pixels.end(), { JSAMPLE(colour[0]), JSAMPLE(colour[1]), JSAMPLE(colour[2]) });
                break;
            case Storage::AdobeCmyk: // inverted: 255 means no ink
                pixels.insert(
                    pixels.end(), { JSAMPLE(colour[0]), JSAMPLE(colour[1]), JSAMPLE(colour[2]), 255 });
                break;
            case Storage::PlainCmyk:
                pixels.insert(pixels.end(),
                    { JSAMPLE(255 - colour[0]), JSAMPLE(255 - colour[1]), JSAMPLE(255 - colour[2]), 0 });
                break;
            }
        }
    return pixels;
}

void manyScans(const std::string& folder)
{
    Writer w(folder + "/many-scans.jpg", 8, 8, 1, JCS_GRAYSCALE);
    std::vector<jpeg_scan_info> scans;
    auto scan = [&](int ss, int se, int ah, int al) {
        jpeg_scan_info s {};
        s.comps_in_scan = 1;
        s.component_index[0] = 0;
        s.Ss = ss;
        s.Se = se;
        s.Ah = ah;
        s.Al = al;
        scans.push_back(s);
    };
    scan(0, 0, 0, 9);
    for (int al = 9; al > 0; --al)
        scan(0, 0, al, al - 1);
    for (int k = 1; k <= 63; ++k) {
        scan(k, k, 0, 9);
        for (int al = 9; al > 0; --al)
            scan(k, k, al, al - 1);
    }
    w.c.scan_info = scans.data();
    w.c.num_scans = int(scans.size());
    std::vector<JSAMPLE> pixels;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pixels.push_back(JSAMPLE(x * 30 + y * 3));
    w.write(pixels);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? argv[1] : ".";
    manyScans(folder);
    {
        Writer w(folder + "/quads-rgb.jpg", 16, 16, 3, JCS_RGB);
        jpeg_set_colorspace(&w.c, JCS_RGB);
        w.write(quadrants(Storage::Rgb));
    }
    {
        Writer w(folder + "/quads-ycck.jpg", 16, 16, 4, JCS_CMYK);
        jpeg_set_colorspace(&w.c, JCS_YCCK);
        w.write(quadrants(Storage::AdobeCmyk));
    }
    {
        Writer w(folder + "/quads-cmyk-plain.jpg", 16, 16, 4, JCS_CMYK);
        jpeg_set_colorspace(&w.c, JCS_CMYK);
        w.c.write_Adobe_marker = FALSE;
        w.write(quadrants(Storage::PlainCmyk));
    }
    return 0;
}
