/** @file start_pictures_tables.h The start pictures of the desk and the signal boxes, in their copying order. */
#pragma once

namespace core {

/** One start picture: the device image that takes it and the image that holds it. */
struct StartPicture {
    const char *target; ///< Device image of A6, A7 or A8, as "A6.InduktorB".
    const char *source; ///< Image of the same windows or of the picture store A3.
};

/**
 * The pictures that the window resources hold only once, copied onto the
 * twin devices at every game start; the levers of box 1 take their stock
 * pictures by their start position (levers 3, 7 and 9 up, lever 11 down
 * on the base of the locked kind).
 */
constexpr StartPicture StartPictures[62] = {
    {"A6.InduktorB", "A6.InduktorA"},
    {"A6.InduktorB2", "A6.InduktorA2"},
    {"A7.Induktor", "A6.InduktorA"},
    {"A7.Induktor2", "A6.InduktorA2"},
    {"A6.PakaZavB", "A6.PakaNavBOd"},
    {"A6.PakaNavBDo", "A6.PakaNavBOd"},
    {"A6.PakaSouLc1", "A6.PakaNavBOd"},
    {"A6.PakaNavMOd", "A6.PakaNavBOd"},
    {"A6.PakaZavM", "A6.PakaNavBOd"},
    {"A6.PakaNavMDo", "A6.PakaNavBOd"},
    {"A6.PakaZavCH", "A6.PakaNavBOd"},
    {"A6.PakaTSCH", "A6.PakaNavBOd"},
    {"A6.PakaNavCHOd", "A6.PakaNavCHDo"},
    {"A7.PakaNavBOd", "A6.PakaNavCHDo"},
    {"A7.PakaZavB", "A6.PakaNavBOd"},
    {"A7.PakaNavBDo", "A6.PakaNavCHDo"},
    {"A7.PakaNavMOd", "A6.PakaNavCHDo"},
    {"A7.PakaZavM", "A6.PakaNavBOd"},
    {"A7.PakaNavMDo", "A6.PakaNavCHDo"},
    {"A8.PakaZavCH", "A8.PakaSouLc1"},
    {"A8.PakaNavCHOd", "A8.PakaNavCHDo"},
    {"A6.KnoflikB", "A6.KnoflikA"},
    {"A6.KnoflikC", "A6.KnoflikA"},
    {"A6.ZavernikA", "A3.Zavernik0"},
    {"A6.ZavernikB", "A3.Zavernik0"},
    {"A6.ZavernikC", "A3.Zavernik0"},
    {"A6.ZavernikD", "A3.Zavernik0"},
    {"A6.ZavernikE", "A3.ZavernikP"},
    {"A6.VUDL2", "A6.VUDL1"},
    {"A6.VUDTlo", "A6.VUDTlv"},
    {"A7.Paka2a", "A7.Paka1a"},
    {"A7.Paka3a", "A7.Paka1a"},
    {"A7.Paka4a", "A7.Paka1a"},
    {"A7.Paka5a", "A7.Paka1a"},
    {"A7.Paka6a", "A7.Paka1a"},
    {"A7.Paka7a", "A7.Paka1a"},
    {"A7.Paka8a", "A7.Paka1a"},
    {"A7.Paka9a", "A7.Paka1a"},
    {"A7.Paka10a", "A7.Paka1a"},
    {"A7.Paka11a", "A7.Paka1a"},
    {"A7.Paka1b", "A3.PakaD"},
    {"A7.Paka2b", "A3.PakaD"},
    {"A7.Paka3b", "A3.PakaH"},
    {"A7.Paka4b", "A3.PakaD"},
    {"A7.Paka5b", "A3.PakaD"},
    {"A7.Paka6b", "A3.PakaD"},
    {"A7.Paka7b", "A3.PakaH"},
    {"A7.Paka8b", "A3.PakaD"},
    {"A7.Paka9b", "A3.PakaH"},
    {"A7.Paka10b", "A3.PakaD"},
    {"A7.Paka11b", "A3.PakaD"},
    {"A7.Paka1c", "A3.Paka1"},
    {"A7.Paka2c", "A3.Paka1"},
    {"A7.Paka3c", "A3.Paka1"},
    {"A7.Paka4c", "A3.Paka1"},
    {"A7.Paka5c", "A3.Paka1"},
    {"A7.Paka6c", "A3.Paka1"},
    {"A7.Paka7c", "A3.Paka1"},
    {"A7.Paka8c", "A3.Paka1"},
    {"A7.Paka9c", "A3.Paka1"},
    {"A7.Paka10c", "A3.Paka1"},
    {"A7.Paka11c", "A3.Paka4"},
};

} // namespace core
