#pragma once

#include "books/CountSheet.h"

#include <vector>

class QPrinter;

// Paints the count record's page as CountSheet lays it out, on any printer:
// a real one, the preview's or a PDF file's.
namespace CountPage {

// One page; false when nothing could be painted.
bool print(QPrinter &printer, const std::vector<CountSheet::Item> &items);

} // namespace CountPage
