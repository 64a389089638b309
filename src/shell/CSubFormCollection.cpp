#include "shell/CSubFormCollection.h"

#include "shell/CSubPage.h"

namespace orvanta::shell {

bool CSubFormCollection::AddForm(CSubPage* page, QWidget* parent) {
    if (!page) return false;
    forms_.push_back(page);
    page->setParent(parent);
    page->hide();
    if (centre_) {
        QSize size = page->size();
        page->move(frame_.left() + (frame_.width() - size.width()) / 2,
                   frame_.top() + (frame_.height() - size.height()) / 2);
    }
    return true;
}

bool CSubFormCollection::SelectForm(int index) {
    if (index < 0 || index >= Count()) return false;
    current_ = index;
    return true;
}

CSubPage* CSubFormCollection::Form(int index) const {
    return index >= 0 && index < Count() ? forms_[static_cast<size_t>(index)] : nullptr;
}

bool CSubFormCollection::ShowForm(int index) {
    if (index >= Count() || index < -1) return false;
    if (index != -1) {
        if (current_ >= 0) {
            CSubPage* shown = Form(current_);
            if (!shown) return false;
            shown->hide();
        }
        current_ = index;
    } else if (current_ < 0) {
        if (Count() == 0) return false;
        current_ = 0;
    }
    CSubPage* page = Form(current_);
    page->show();
    page->raise();
    page->update();
    return true;
}

}  // namespace orvanta::shell
