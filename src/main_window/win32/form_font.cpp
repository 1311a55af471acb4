#include "form_font.h"

#include <cstdlib>
#include <string>

#include "main_window/form_geometry.h"
#include "main_window/form_layout.h"
#include "wide_text.h"

namespace quorl {
namespace {

// Font heights in twips: 8.25 points where the system names no size, and
// never smaller than 6 points.
constexpr int kDefaultFontHeight = 165;
constexpr int kSmallestFontHeight = 120;

LOGFONTW MessageFontFace(Dpi dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTW), &metrics.lfMessageFont);
    }
    if (metrics.lfMessageFont.lfHeight == 0) {
        metrics.lfMessageFont.lfHeight = -TwipsToPixels(kDefaultFontHeight, dpi.y);
    }
    return metrics.lfMessageFont;
}

// Whether every label's caption fits its width in the font: labels cut their
// text off, where boxes would scroll it.
bool CaptionsFit(HFONT font, Dpi dpi) {
    const ScreenDc screen;
    const HGDIOBJ previous = ::SelectObject(screen.get(), font);
    bool fit = true;
    for (const ControlLayout& layout : Form1Layout().controls) {
        if (layout.kind != ControlKind::Label) {
            continue;
        }
        const std::wstring caption = ToWide(layout.text);
        SIZE extent{};
        ::GetTextExtentPoint32W(screen.get(), caption.c_str(), static_cast<int>(caption.size()),
                                &extent);
        fit = fit && extent.cx <= PixelRectOf(layout, dpi).width;
    }
    ::SelectObject(screen.get(), previous);
    return fit;
}

}  // namespace

// A pixel smaller at a time: the system's font may be wider than the one the
// layout was drawn for.
UniqueFont CreateFormFont(Dpi dpi) {
    LOGFONTW face = MessageFontFace(dpi);
    const LONG smallest = TwipsToPixels(kSmallestFontHeight, dpi.y);
    for (;;) {
        UniqueFont font(::CreateFontIndirectW(&face));
        if (CaptionsFit(font.get(), dpi) || std::abs(face.lfHeight) <= smallest) {
            return font;
        }
        face.lfHeight += face.lfHeight < 0 ? 1 : -1;
    }
}

}  // namespace quorl
