// A 5 x 7 pixel font for the spectrogram picture's axis labels: the digits,
// ':', '.', '-', ' ' and the letters of "Hz", "kHz" and "s". Characters
// outside that set are drawn as blanks. Any thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace moravel {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;
/// Horizontal distance from one character's left edge to the next one's.
inline constexpr int kGlyphAdvance = kGlyphWidth + 1;

/// Width in pixels of `text`: the advance of every character but the last,
/// which ends at its glyph's right edge; 0 for an empty text.
int TextWidth(std::string_view text);

/// True when the font draws `c` (as opposed to a blank).
bool HasGlyph(char c);

/// Calls `setPixel(x, y)` for every lit pixel of `text` with its top-left
/// corner at (`left`, `top`), x to the right and y downwards.
void DrawText(std::string_view text, int left, int top, const std::function<void(int x, int y)>& setPixel);

}  // namespace moravel
