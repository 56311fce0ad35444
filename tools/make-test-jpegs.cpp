// Writes tests/data/jpeg/many-scans.jpg: an 8x8 greyscale progressive JPEG
// with 640 scans, which the loader must refuse rather than grind through.
// Build and run by hand: g++ make-many-scans-jpeg.cpp -ljpeg -o /tmp/m && /tmp/m out.jpg
#include <cstdio>
#include <jpeglib.h>
#include <vector>
int main(int argc, char** argv)
{
    jpeg_compress_struct c {};
    jpeg_error_mgr e {};
    c.err = jpeg_std_error(&e);
    jpeg_create_compress(&c);
    FILE* out = std::fopen(argv[1], "wb");
    jpeg_stdio_dest(&c, out);
    c.image_width = 8;
    c.image_height = 8;
    c.input_components = 1;
    c.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
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
    c.scan_info = scans.data();
    c.num_scans = int(scans.size());
    jpeg_start_compress(&c, TRUE);
    JSAMPLE row[8];
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x)
            row[x] = JSAMPLE(x * 30 + y * 3);
        JSAMPROW r = row;
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    std::fclose(out);
    std::printf("%d scans\n", c.num_scans);
}
