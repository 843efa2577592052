#include "data/StandardTubes.h"

std::unique_ptr<TStandardTubeTypes> StandardTubeTypes;

void TTubeSubItem::Read(TXmlParser&) {}

void TTubeItem::Read(TXmlParser&) {}

const TTubeSubItem* TTubeItem::GetSubItem(int index) const {
    if (index < 0 || index >= SubItemCount()) return nullptr;
    return &SubItems[static_cast<std::size_t>(index)];
}

const TTubeItem* TStandardTubeTypes::GetItem(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return &Items[static_cast<std::size_t>(index)];
}

void TStandardTubeTypes::FillTreeView(ITreeView&, int) const {}
