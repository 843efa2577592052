// The item record reader, then the calculation on whatever it read: any bytes
// give an item whose record survives being written and read again, and the
// calculation either succeeds with finite results or fails with one message.
#include "calc/Item.h"

#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "platform/win/MessageBox.h"
#include "support/DataBuilders.h"
#include "support/StreamBytes.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace {

using testing_support::IsolationSize;
using testing_support::Polinom;
using testing_support::ReadRecord;
using testing_support::RecordBytes;

// Data bases with the ids the seeds use; a box that only counts.
int boxes = 0;
void InstallWorld() {
    auto media = std::make_unique<TMediumTypes>();
    TMediumDBItem water;
    water.ItemID = "water";
    water.Functions = {Polinom("ro", {-0.3f, 1006}), Polinom("C", {0, 4190}), Polinom("nu", {-1e-8f, 1.2e-6f}),
                       Polinom("lambda", {0.0015f, 0.57f}), Polinom("v", {4e-6f, 1e-4f}), Polinom("to", {0, 0})};
    media->Add(water);
    MediumTypes = std::move(media);
    auto types = std::make_unique<TIsolationTypes>();
    TIsolation wool;
    wool.ItemID = "wool";
    wool.PrintName = "Wool %s";
    wool.c0 = 0.04f;
    wool.TempMin = -50;
    wool.TempMax = 250;
    for (float v : {20.0f, 50.0f, 100.0f}) wool.SubItems.push_back(IsolationSize(0, v, "size"));
    types->Add(wool);
    IsolationTypes = std::move(types);
    win::SetMessageBoxHook([](const std::string&, const std::string&, unsigned) {
        ++boxes;
        return win::IDOK;
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool installed = (InstallWorld(), true);
    (void)installed;
    if (size > 1 << 16)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (int version : {256, 257}) {
        TItem item = ReadRecord<TItem>(bytes, version);
        const std::string once = RecordBytes(item);
        const TItem again = ReadRecord<TItem>(once, 257);
        if (RecordBytes(again) != once)
            std::abort();

        boxes = 0;
        const bool ok = item.Calculate();
        if (ok ? boxes != 0 || !std::isfinite(item.Isolation.Thickness) || !std::isfinite(item.Loss) : boxes != 1)
            std::abort();
    }
    return 0;
}
