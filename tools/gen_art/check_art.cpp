/** @file check_art.cpp gen_art_check: compares generated stock pictures with the store's list and the committed copies. */
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

/** One entry of the store's list, written out independently of the generator. */
struct Expected {
    const char *name; ///< Image name; the file is name + extension.
    int width;        ///< Width in pixels.
    int height;       ///< Height in pixels.
    bool jpeg;        ///< JPEG picture; otherwise a 24-bit bitmap.
};

constexpr bool B = false; ///< Bitmap.
constexpr bool J = true;  ///< JPEG.

const Expected kStore[] = {
    {"Klicka0", 19, 58, B}, {"KlickaL", 42, 55, B}, {"KlickaP", 42, 55, B},
    {"TelBilaOff", 16, 14, B}, {"TelBilaOn", 16, 14, B},
    {"ClonkaB", 23, 23, J}, {"ClonkaC", 23, 23, J}, {"ClonkaR", 23, 23, J}, {"ClonkaZ", 23, 23, J},
    {"ClonkaBR1", 23, 23, J}, {"ClonkaBR2", 23, 23, J}, {"ClonkaBR3", 23, 23, J},
    {"ClonkaBZ1", 23, 23, J}, {"ClonkaBZ2", 23, 23, J}, {"ClonkaBZ3", 23, 23, J},
    {"ClonkaCB1", 23, 23, J}, {"ClonkaCB2", 23, 23, J}, {"ClonkaCB3", 23, 23, J},
    {"ClonkaRB1", 23, 23, J}, {"ClonkaRB2", 23, 23, J}, {"ClonkaRB3", 23, 23, J},
    {"ClonkaZB1", 23, 23, J}, {"ClonkaZB2", 23, 23, J}, {"ClonkaZB3", 23, 23, J},
    {"ClonkaBC1", 23, 23, J}, {"ClonkaBC2", 23, 23, J}, {"ClonkaBC3", 23, 23, J},
    {"ZapadkaB", 14, 14, J}, {"ZapadkaC", 14, 14, J}, {"ZapadkaR", 14, 14, J},
    {"ClonkaBz", 23, 23, J}, {"ClonkaCz", 23, 23, J}, {"ClonkaRz", 23, 23, J}, {"ClonkaZz", 23, 23, J},
    {"ClonkaCB1z", 23, 23, J}, {"ClonkaCB2z", 23, 23, J}, {"ClonkaCB3z", 23, 23, J},
    {"ClonkaRB1z", 23, 23, J}, {"ClonkaRB2z", 23, 23, J}, {"ClonkaRB3z", 23, 23, J},
    {"ClonkaZB1z", 23, 23, J}, {"ClonkaZB2z", 23, 23, J}, {"ClonkaZB3z", 23, 23, J},
    {"ZapadkaBz", 14, 14, J}, {"ZapadkaRz", 14, 14, J},
    {"Zavernik0", 19, 58, B}, {"ZavernikL", 42, 55, B}, {"ZavernikP", 42, 55, B},
    {"RadicL2", 16, 23, B}, {"RadicL1", 15, 24, B}, {"Radic0", 12, 24, B}, {"RadicP1", 15, 24, B},
    {"RadicP2", 16, 23, B},
    {"Tl", 12, 14, B}, {"Tl2", 22, 17, B}, {"Tl3", 26, 21, B},
    {"PakaH", 48, 418, B}, {"PakaD", 48, 418, B}, {"PakaS", 48, 26, B},
    {"Paka1", 31, 274, J}, {"Paka2", 31, 274, J}, {"Paka3", 31, 274, J}, {"Paka4", 31, 274, J},
    {"Paka5", 31, 274, J},
    {"KlicOff", 25, 7, B}, {"Klic0", 7, 25, B}, {"KlicOn", 25, 7, B},
    {"VozidloPrazdne", 1, 64, B},
    {"NVTOff", 12, 34, B}, {"NVTOn", 12, 34, B}, {"NVTStop", 12, 35, B}, {"NVTStop2", 12, 39, B},
    {"NVZ", 12, 14, B}, {"NVZStop", 20, 20, B},
    {"Klika2Off", 76, 117, J}, {"Klika2On", 76, 117, J}, {"KlikaLOff", 76, 117, J},
    {"KlikaLOn", 76, 117, J}, {"KlikaPOff", 76, 117, J}, {"KlikaPOn", 76, 117, J},
};

using Bytes = std::vector<unsigned char>;

/** @return the file's content, or nothing when it cannot be read. */
std::optional<Bytes> readAll(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/** @return the little-endian 32-bit number at offset. */
long le32(const Bytes &b, size_t at)
{
    const unsigned long v = b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<unsigned long>(b[at + 3]) << 24);
    return static_cast<long>(static_cast<int>(static_cast<unsigned int>(v)));
}

/** Reads a 24-bit BMP's size. @return an empty text, or what is wrong. */
std::string bmpSize(const Bytes &b, int &w, int &h)
{
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M')
        return "not a BMP file";
    if ((b[28] | (b[29] << 8)) != 24)
        return "not a 24-bit bitmap";
    w = static_cast<int>(le32(b, 18));
    h = static_cast<int>(std::labs(le32(b, 22)));
    return {};
}

/** Reads a JPEG's size from its frame header. @return an empty text, or what is wrong. */
std::string jpegSize(const Bytes &b, int &w, int &h)
{
    if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8 || b[2] != 0xFF)
        return "not a JPEG file";
    size_t at = 2;
    while (at + 9 < b.size()) {
        if (b[at] != 0xFF)
            return "broken JPEG markers";
        const unsigned char marker = b[at + 1];
        const size_t length = (b[at + 2] << 8) | b[at + 3];
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            h = (b[at + 5] << 8) | b[at + 6];
            w = (b[at + 7] << 8) | b[at + 8];
            return {};
        }
        at += 2 + length;
    }
    return "no JPEG frame header";
}

/** Checks one generated picture. @return an empty text, or what is wrong. */
std::string checkOne(const Expected &e, const std::filesystem::path &made, const std::filesystem::path &kept)
{
    const std::string file = std::string(e.name) + (e.jpeg ? ".jpg" : ".bmp");
    const auto bytes = readAll(made / file);
    if (!bytes)
        return file + ": not generated";
    int w = 0, h = 0;
    const std::string fault = e.jpeg ? jpegSize(*bytes, w, h) : bmpSize(*bytes, w, h);
    if (!fault.empty())
        return file + ": " + fault;
    if (w != e.width || h != e.height)
        return file + ": " + std::to_string(w) + "x" + std::to_string(h) + ", listed " +
               std::to_string(e.width) + "x" + std::to_string(e.height);
    const auto committed = readAll(kept / file);
    if (!committed)
        return file + ": no committed copy";
    if (*committed != *bytes)
        return file + ": differs from the committed copy (run gen_art and commit its output)";
    return {};
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: gen_art_check <generated folder> <committed folder>\n");
        return 2;
    }
    const std::filesystem::path made(argv[1]), kept(argv[2]);
    int passed = 0, failed = 0;
    for (const Expected &e : kStore) {
        const std::string fault = checkOne(e, made, kept);
        if (fault.empty()) {
            ++passed;
        } else {
            ++failed;
            std::printf("FAIL %s\n", fault.c_str());
        }
    }
    const auto sheet = readAll(made / "contact_sheet.png");
    const bool sheetOk = sheet && sheet->size() > 8 && (*sheet)[1] == 'P' && (*sheet)[2] == 'N' && (*sheet)[3] == 'G';
    if (!sheetOk) {
        ++failed;
        std::printf("FAIL contact_sheet.png: missing or not a PNG file\n");
    } else {
        ++passed;
    }
    std::printf("gen_art_check: %d passed, %d failed\n", passed, failed);
    return failed == 0 && std::size(kStore) == 80 ? 0 : 1;
}
