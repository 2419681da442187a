#include "ui/label.hpp"

#include "ui/handles.hpp"
#include "ui/wide.hpp"

namespace ui {

Label::Label(Form* parent, const char* name, const char* caption) : Control(parent, name) {
    Control::SetCaption(caption);
    AdjustSize();
}

UINT Label::DrawFlags() const {
    UINT align = Alignment == Alignment::Right    ? DT_RIGHT
                 : Alignment == Alignment::Center ? DT_CENTER
                                                  : DT_LEFT;
    return DT_EXPANDTABS | align | (ShowAccelChar ? 0 : DT_NOPREFIX);
}

SIZE Label::TextExtent() const {
    std::string text = Caption().empty() ? " " : Caption();
    WindowDC dc = WindowDC::Of(nullptr);
    SelectObjectScope font(dc.Get(), Parent->Font());
    RECT r{0, 0, 0, 0};
    const std::wstring wide = Wide(text);
    DrawTextW(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &r, DrawFlags() | DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void Label::AdjustSize() {
    if (!AutoSize) return;
    SIZE size = TextExtent();
    // A right-aligned label keeps its right edge, so a shorter text stays where the longer one ended.
    int left = Alignment == Alignment::Right && Width() > 0 ? Left() + Width() - size.cx : Left();
    // A count that keeps its width moves nothing.
    if (left == Left() && size.cx == Width() && size.cy == Height()) return;
    SetBounds(left, Top(), size.cx, size.cy);
}

void Label::SetCaption(const std::string& caption) {
    Control::SetCaption(caption);
    AdjustSize();
}

void Label::Paint(HDC dc) {
    RECT r;
    GetClientRect(Handle(), &r);
    FillRect(dc, &r, Parent->BrushOf(Color()));
    SelectObjectScope font(dc, Parent->Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? FontColor() : GetSysColor(COLOR_GRAYTEXT));
    const std::wstring caption = Wide(Caption());
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DrawFlags());
}

}  // namespace ui
