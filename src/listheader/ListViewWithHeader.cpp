#include "listheader/ListViewWithHeader.h"

#include "listheader/ListHeader.h"
#include "platform/ui/Form.h"
#include "platform/ui/QtText.h"

#include <QHeaderView>
#include <QListView>
#include <QScrollBar>
#include <QTreeView>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// The form the list lies on: the nearest ancestor that is one.
TFormBase* EnclosingForm(QWidget& widget) {
    for (QWidget* parent = widget.parentWidget(); parent; parent = parent->parentWidget())
        if (auto* form = dynamic_cast<TFormBase*>(parent)) return form;
    return nullptr;
}

}  // namespace

TListViewWithHeader::TListViewWithHeader(QWidget* parent) : TListView(parent) {
    ReportView().header()->hide();
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(&ReportView()), static_cast<QAbstractItemView*>(&ItemView())}) {
        // Pixel steps, so the header can follow any position.
        view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { RecalcScrollPos(); });
    }
}

TListViewWithHeader::~TListViewWithHeader() = default;

void TListViewWithHeader::SetHeaderName(const std::string& name) {
    headerName_.clear();
    TFormBase* form = EnclosingForm(*this);
    if (!form) return;
    const QString wanted = ToQString(name);
    for (QObject* component : form->ComponentObjects()) {
        if (component->objectName() != wanted || qstrcmp(component->metaObject()->className(), "TListHeader") != 0)
            continue;
        header_ = static_cast<TListHeader*>(component);
        header_->SetList(this);
        headerName_ = name;
        return;
    }
}

void TListViewWithHeader::RecalcScrollPos() {
    if (!header_) return;
    const int position = CurrentView().horizontalScrollBar()->value();
    header_->SetScrollPos(static_cast<std::int16_t>(
        std::clamp(position, int{std::numeric_limits<std::int16_t>::min()}, int{std::numeric_limits<std::int16_t>::max()})));
}

void TListViewWithHeader::resizeEvent(QResizeEvent* event) {
    TListView::resizeEvent(event);
    RecalcScrollPos();
}
