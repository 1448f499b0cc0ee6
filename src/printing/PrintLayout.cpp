#include "printing/PrintLayout.h"

#include "platform/FlexGridStore.h"

#include <algorithm>

namespace PrintLayout {

void setColumns(FlexGridStore &sheet, const modul::RateTexts &rates)
{
    for (int c = 0; c < static_cast<int>(ColumnWidths.size()); ++c) {
        const auto i = static_cast<size_t>(c);
        sheet.setColWidth(c, ColumnWidths[i]);
        if (c != modul::ColSpacer)
            sheet.setTextMatrix(modul::RowHeadings, c, modul::heading(c));
        if (c < modul::RateCount)
            sheet.setTextMatrix(modul::RowRates, c, rates[i]);
    }
}

void setEveryCellFontSize(FlexGridStore &sheet, float points)
{
    for (int r = 0; r < sheet.rows(); ++r) {
        for (int c = 0; c < sheet.cols(); ++c) {
            sheet.setRowCol(r, c);
            sheet.setCellFontSize(points);
        }
    }
}

SheetFormats::SheetFormats(const FlexGridStore &sheet) : m_cols(sheet.cols())
{
    m_heights.reserve(static_cast<size_t>(sheet.rows()));
    m_fontSizes.reserve(static_cast<size_t>(sheet.rows()) * static_cast<size_t>(m_cols));
    for (int r = 0; r < sheet.rows(); ++r) {
        m_heights.push_back(sheet.rowHeight(r));
        for (int c = 0; c < m_cols; ++c)
            m_fontSizes.push_back(sheet.format(r, c).fontSize);
    }
}

void SheetFormats::restore(FlexGridStore &sheet) const
{
    const int rows = std::min(sheet.rows(), static_cast<int>(m_heights.size()));
    const int cols = std::min(sheet.cols(), m_cols);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            sheet.setRowCol(r, c);
            sheet.setCellFontSize(
                m_fontSizes[static_cast<size_t>(r) * static_cast<size_t>(m_cols) + static_cast<size_t>(c)]);
        }
    }
    for (int r = 0; r < rows; ++r)
        sheet.setRowHeight(r, m_heights[static_cast<size_t>(r)]);
}

} // namespace PrintLayout
