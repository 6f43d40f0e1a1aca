#include "tests/support/recording_surface.h"

#include <algorithm>

namespace gestalia::test {

void CRecordingSurface::FillRect(const Rect& rc, Colour colour) {
    DrawCall c;
    c.kind = DrawCall::Kind::Fill;
    c.rc = rc;
    c.colour = colour;
    m_calls.push_back(std::move(c));
}

void CRecordingSurface::Line(Point from, Point to, Colour colour) {
    DrawCall c;
    c.kind = DrawCall::Kind::Line;
    c.from = from;
    c.to = to;
    c.colour = colour;
    m_calls.push_back(std::move(c));
}

void CRecordingSurface::Rectangle(const Rect& rc, Colour frame, Colour fill) {
    DrawCall c;
    c.kind = DrawCall::Kind::Rectangle;
    c.rc = rc;
    c.colour = frame;
    c.fill = fill;
    m_calls.push_back(std::move(c));
}

void CRecordingSurface::Ellipse(const Rect& box, Colour pen, int penWidth, Colour fill) {
    DrawCall c;
    c.kind = DrawCall::Kind::Ellipse;
    c.rc = box;
    c.colour = pen;
    c.penWidth = penWidth;
    c.fill = fill;
    m_calls.push_back(std::move(c));
}

void CRecordingSurface::SetFont(const CFontSpec& font) {
    m_font = font;
}

void CRecordingSurface::SetTextColour(Colour colour) {
    m_textColour = colour;
}

void CRecordingSurface::DrawText(std::string_view text, const Rect& rc, std::uint32_t flags) {
    DrawCall c;
    c.kind = DrawCall::Kind::Text;
    c.rc = rc;
    c.colour = m_textColour;
    c.text = std::string(text);
    c.flags = flags;
    c.font = m_font;
    m_calls.push_back(std::move(c));
}

int CRecordingSurface::CharCount(std::string_view text) {
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](char ch) {
        return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    }));
}

Size CRecordingSurface::MeasureText(std::string_view text, bool singleLine) const {
    if (singleLine) {
        return {kCharWidth * CharCount(text), kLineHeight};
    }
    int lines = 1;
    int widest = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t nl = text.find('\n', start);
        std::string_view line = text.substr(start, nl == std::string_view::npos ? nl : nl - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        widest = std::max(widest, kCharWidth * CharCount(line));
        if (nl == std::string_view::npos) {
            break;
        }
        ++lines;
        start = nl + 1;
    }
    return {widest, kLineHeight * lines};
}

bool CRecordingSurface::DrawImage(const CImageList& list, int index, Point at) {
    if (index < 0 || index >= list.Count()) {
        return false;
    }
    DrawCall c;
    c.kind = DrawCall::Kind::Image;
    c.from = at;
    c.imageHandle = list.Handle();
    c.imageIndex = index;
    m_calls.push_back(std::move(c));
    return true;
}

std::vector<DrawCall> CRecordingSurface::OfKind(DrawCall::Kind kind) const {
    std::vector<DrawCall> out;
    std::copy_if(m_calls.begin(), m_calls.end(), std::back_inserter(out),
                 [kind](const DrawCall& c) { return c.kind == kind; });
    return out;
}

std::optional<DrawCall> CRecordingSurface::FindText(std::string_view text) const {
    const int i = IndexOfText(text);
    if (i < 0) {
        return std::nullopt;
    }
    return m_calls[static_cast<std::size_t>(i)];
}

std::vector<DrawCall> CRecordingSurface::TextsIn(const Rect& rc) const {
    std::vector<DrawCall> out;
    for (const DrawCall& c : m_calls) {
        if (c.kind == DrawCall::Kind::Text && c.rc == rc) {
            out.push_back(c);
        }
    }
    return out;
}

bool CRecordingSurface::HasFill(const Rect& rc, Colour colour) const {
    return IndexOfFill(rc, colour) >= 0;
}

bool CRecordingSurface::HasLine(Point from, Point to, Colour colour) const {
    return std::any_of(m_calls.begin(), m_calls.end(), [&](const DrawCall& c) {
        return c.kind == DrawCall::Kind::Line && c.from == from && c.to == to && c.colour == colour;
    });
}

std::optional<Colour> CRecordingSurface::LastFillAt(Point p) const {
    std::optional<Colour> out;
    for (const DrawCall& c : m_calls) {
        if (c.kind == DrawCall::Kind::Fill && c.rc.Contains(p)) {
            out = c.colour;
        }
    }
    return out;
}

int CRecordingSurface::IndexOfFill(const Rect& rc, Colour colour) const {
    for (std::size_t i = 0; i < m_calls.size(); ++i) {
        const DrawCall& c = m_calls[i];
        if (c.kind == DrawCall::Kind::Fill && c.rc == rc && c.colour == colour) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CRecordingSurface::IndexOfText(std::string_view text) const {
    for (std::size_t i = 0; i < m_calls.size(); ++i) {
        if (m_calls[i].kind == DrawCall::Kind::Text && m_calls[i].text == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace gestalia::test
