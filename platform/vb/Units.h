#pragma once
// Units and number rules of the forms kit: twips, pixels and the rounding the program's
// arithmetic relies on (halves to even, 16-bit overflow is an error).

#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace vb {

// 1440 twips per inch at 96 logical dots per inch.
inline constexpr int TwipsPerPixel = 15;

// Run-time error of a control or a conversion, standing for the errors the program traps.
class Error : public std::runtime_error {
public:
    Error(int number, const char* what) : std::runtime_error(what), m_number(number) {}
    int number() const { return m_number; }

private:
    int m_number;
};

inline constexpr int ErrOverflow = 6;
inline constexpr int ErrNoSuchElement = 340;
inline constexpr int ErrControlFailed = 5;

// Rounds halves to the even neighbour, as the program's integer conversions do.
inline double roundHalfEven(double v)
{
    return std::nearbyint(v); // the default rounding mode is to nearest, ties to even
}

// Conversion to a 16-bit integer: rounded, an error when out of range.
inline std::int16_t toInt16(double v)
{
    const double r = roundHalfEven(v);
    if (!(r >= -32768.0 && r <= 32767.0))
        throw Error(ErrOverflow, "Overflow");
    return static_cast<std::int16_t>(r);
}

// Conversion to a 32-bit integer: rounded, an error when out of range.
inline std::int32_t toInt32(double v)
{
    const double r = roundHalfEven(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw Error(ErrOverflow, "Overflow");
    return static_cast<std::int32_t>(r);
}

// Container units to pixels: 1 unit per pixel on a form, TwipsPerPixel inside a frame.
inline int unitsToPixels(int units, int unitsPerPixel)
{
    if (unitsPerPixel == 1)
        return units;
    return static_cast<int>(roundHalfEven(static_cast<double>(units) / unitsPerPixel));
}

// Twips of the design to pixels of the screen, rounded as every conversion is.
inline int px(int twips)
{
    return unitsToPixels(twips, TwipsPerPixel);
}

// Pixels to twips.
inline constexpr int toTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

} // namespace vb
