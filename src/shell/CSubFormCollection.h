// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The page host: the pages in index order, the one shown, and the frame they are centred on.
#include <QRect>
#include <vector>

class QWidget;

namespace orvanta::shell {

class CSubPage;

class CSubFormCollection {
public:
    void SetFrame(const QRect& frame) {
        frame_ = frame;
        centre_ = true;
    }

    // Appends `page` as a hidden child of `parent`, centred on the frame. False for no page.
    bool AddForm(CSubPage* page, QWidget* parent);
    // Makes `index` current without showing anything; false outside the pages.
    bool SelectForm(int index);
    // Hides the current page and shows page `index` (-1 shows the current one, or the first
    // when none is current). False for an index above the last page.
    bool ShowForm(int index);

    int Current() const { return current_; }
    int Count() const { return static_cast<int>(forms_.size()); }
    CSubPage* Form(int index) const;

private:
    static void FocusFirstControl(CSubPage* page);
    std::vector<CSubPage*> forms_;
    int current_ = -1;
    QRect frame_;
    bool centre_ = false;
};

}  // namespace orvanta::shell
