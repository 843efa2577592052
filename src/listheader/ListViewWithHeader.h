#pragma once
// A list view that works under a TListHeader of the same form: the header
// draws the multi-line column titles, the list shows the rows (its own
// report-view header stays hidden) and keeps the header scrolled with it.

#include "platform/ui/ListView.h"

#include <QPointer>

#include <string>

class QResizeEvent;
class TListHeader;

class TListViewWithHeader : public TListView {
    Q_OBJECT

public:
    explicit TListViewWithHeader(QWidget* parent = nullptr);
    ~TListViewWithHeader() override;

    // Binds the first component of the enclosing form named exactly `name`
    // whose class is exactly TListHeader, and lets it build the columns.
    // When none matches, HeaderName becomes "" and a header bound before
    // stays bound.
    void SetHeaderName(const std::string& name);
    const std::string& HeaderName() const { return headerName_; }
    // The bound header; null when none, or when it was destroyed.
    TListHeader* Header() const { return header_; }

    // Hands the horizontal scroll position to the bound header.
    void RecalcScrollPos();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::string headerName_;
    // The header is a sibling that may go first.
    QPointer<TListHeader> header_;
};
