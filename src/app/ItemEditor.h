#pragma once
// The calculation dialog as the project's edit commands run it.

#include "project/Project.h"

class QWidget;

class TItemEditor : public IItemEditor {
public:
    // The dialog opens over `owner` (not owned; may be null).
    explicit TItemEditor(QWidget* owner) : owner_(owner) {}
    // Runs the calculation dialog modally on `item`; true when it ended with OK.
    bool Edit(TItem& item) override;

private:
    QWidget* owner_;
};
