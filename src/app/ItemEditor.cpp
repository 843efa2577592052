#include "app/ItemEditor.h"

bool TItemEditor::Edit(TItem&) {
    // The calculation dialog is not part of this build yet.
    (void)owner_;
    return false;
}
