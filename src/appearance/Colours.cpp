#include "Colours.h"

const Colours& DayColours() {
    static const Colours day{0xf0f0f0, 0xf6f9ee, 0xb9c99a, 0x24361a, 0x0a6b1f, 0xc00000,
                             0x000000, 0xff0000, 0xffffff, 0xffff80, 0x80ffff, 0x00c000,
                             0xff0000, 0x1d4f91, 0xeef4fc, 0x6a8fc8};
    return day;
}

const Colours& NightColours() {
    // The page colour is the 夜间 sheet's QWidget background.
    static const Colours night{0x1e1f22, 0x25301f, 0x55704a, 0xdde8d2, 0x7ee09a, 0xff9a9a,
                               0xe8e8e8, 0xffb0b0, 0x2b2d31, 0x4a3f00, 0x00505d, 0x00c000,
                               0xff7070, 0xcfe0ff, 0x23344d, 0x4f6f9f};
    return night;
}
