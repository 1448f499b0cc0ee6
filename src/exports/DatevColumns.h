#pragma once

#include <array>

// The column headings of a DATEV Buchungsstapel, format version 13, in
// DATEV's own spelling and order (line 2 of the file). DATEV reads the
// bookings by position, so the count and the order are what matter.
namespace DatevColumns {

inline constexpr int Count = 125;
extern const std::array<const char16_t *, Count> headings;

// Positions (0-based) of the fields the cash book fills.
inline constexpr int Umsatz = 0;
inline constexpr int SollHaben = 1;
inline constexpr int WkzUmsatz = 2;
inline constexpr int Konto = 6;
inline constexpr int Gegenkonto = 7;
inline constexpr int BuSchluessel = 8;
inline constexpr int Belegdatum = 9;
inline constexpr int Belegfeld1 = 10;
inline constexpr int Buchungstext = 13;

} // namespace DatevColumns
