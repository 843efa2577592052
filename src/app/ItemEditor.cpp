#include "app/ItemEditor.h"

#include "app/ItemModify.h"
#include "platform/ui/Form.h"

bool TItemEditor::Edit(TItem& item) {
    TItemModifyForm form(owner_, &item);
    return form.ShowModal() == mrOk;
}
