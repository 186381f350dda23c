#include "skin/data/ColourText.h"

#include "core/TextUtils.h"

#include <string>

TColor ReadColourText(std::string_view text, TColor defaultColour) {
    if (text.empty())
        return defaultColour;
    const std::string trimmed = Trim(text);
    int channels[3] = {0, 0, 0};
    int given = 0;
    int number = 0;
    bool collecting = false;
    for (char ch : trimmed) {
        if (ch >= '0' && ch <= '9') {
            // Only the low 8 bits are kept, so the number is carried modulo 256.
            number = (number * 10 + (ch - '0')) & 0xFF;
            collecting = true;
            continue;
        }
        if (collecting && given < 3)
            channels[given++] = number;
        number = 0;
        collecting = false;
    }
    if (collecting && given == 2)
        channels[given++] = number;
    return channels[0] | (channels[1] << 8) | (channels[2] << 16);
}
