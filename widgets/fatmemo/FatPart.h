// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One part of a memo line: a run of text (optionally linked), a change of colours or of font
// style for the parts after it on the line, or a picture.
#include "FatTypes.h"

#include <QFont>
#include <QStaticText>
#include <QString>
#include <functional>
#include <memory>

class QImage;

namespace platterwise {

class TFatLine;

class TFatPart final {
public:
    // A new part belongs to `owner` (which may be null for a free-standing part) and is empty.
    explicit TFatPart(TFatLine* owner);
    TFatPart(const TFatPart&) = delete;
    TFatPart& operator=(const TFatPart&) = delete;

    TFatLine* Owner() const { return owner_; }
    TFatPartKind Kind() const { return kind_; }
    const QString& Text() const { return text_; }
    const QString& Link() const { return link_; }
    TColor FontColor() const { return fontColor_; }
    TColor BackColor() const { return backColor_; }
    TFontStyles FontStyle() const { return fontStyle_; }
    // The picture of an image part; not owned, it must outlive its use by the part.
    const QImage* Graphic() const { return graphic_; }

    // Empties the part (kind pkNone, no text, link, style or picture, colours clNone)
    // without a change notification.
    void Reset();
    // Each setter notifies only when it changes something. SetText clears the link.
    void SetText(const QString& s);
    void SetLink(const QString& s);
    void SetFontColor(TColor c); // keeps the background colour of a colour part
    void SetBackColor(TColor c); // keeps the font colour of a colour part
    void SetFontStyle(TFontStyles st);
    // Makes the part an image part showing `graphic` (not owned).
    void SetGraphic(const QImage* graphic);
    // Destroys this part through its line. REQUIRES: an owner.
    void Delete();

    int Index() const; // position in the owning line, -1 without an owner
    int TextLength() const { return kind_ == pkText ? int(text_.size()) : 0; }
    bool HasLink() const { return !link_.isEmpty(); }
    // Brackets changes: while raised, the part sends no notification; lowering it back to 0
    // sends one.
    void SetUpdating(bool updating);

    // Character (1-based) under the point, laid out again as the last layout placed the part;
    // 0 when the point is off the text or the part is not text.
    int CharAt(int x, int y) const;

    // Called with the part after each change; installed by the owning line.
    std::function<void(TFatPart&)> OnChange;

    // Written by the layout pass: where and how the part was placed last, its measured size.
    TFatLayout& Layout() { return layout_; }
    const TFatLayout& Layout() const { return layout_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetMeasuredSize(int width, int height) {
        width_ = width;
        height_ = height;
    }
    // Measurements and shaped glyphs of Text from earlier layouts, valid for `Font` until the
    // text changes, so repainting an unchanged line neither measures nor shapes it again.
    struct TTextCache {
        QFont Font;
        int Width = -1;
        QStaticText Glyphs;
    };
    // Made on first use: parts of lines that are never shown need none.
    TTextCache& TextCache();

private:
    void Changed();

    TFatLine* owner_;
    QString link_;
    TFatPartKind kind_ = pkNone;
    TColor fontColor_ = clNone;
    TColor backColor_ = clNone;
    TFontStyles fontStyle_ = 0;
    const QImage* graphic_ = nullptr;
    QString text_;
    int updateCount_ = 0;
    TFatLayout layout_;
    int width_ = 0;
    int height_ = 0;
    std::unique_ptr<TTextCache> textCache_;
};

} // namespace platterwise
