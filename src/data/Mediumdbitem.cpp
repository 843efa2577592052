#include "data/Mediumdbitem.h"

#include "data/DataTexts.h"

#include <algorithm>
#include <cstddef>

std::unique_ptr<TMediumTypes> MediumTypes;

void TMediumFunction::Read(TXmlParser&) {}

double TMediumFunction::Value(double temperature) const {
    if (Mode == kPolinom) {
        double value = 0;
        for (const float c : PolinomValues) value = c + temperature * value;
        return value;
    }
    // Neville's scheme; a repeated temperature would divide by zero, so such a
    // point is left out.
    const std::size_t n = std::min(PointTemperatures.size(), PointValues.size());
    std::vector<double> temps;
    std::vector<double> q;
    temps.reserve(n);
    q.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double ti = PointTemperatures[i];
        if (std::find(temps.begin(), temps.end(), ti) != temps.end()) continue;
        temps.push_back(ti);
        q.push_back(PointValues[i]);
        const std::size_t k = temps.size() - 1;
        for (std::size_t j = k; j-- > 0;)
            q[j] = q[j + 1] + (temperature - temps[k]) / (temps[k] - temps[j]) * (q[j + 1] - q[j]);
    }
    return q.empty() ? 0.0 : q[0];
}

void TMediumDBItem::Read(TXmlParser&) {}

int TMediumDBItem::FunctionIndex(std::string_view name) const {
    for (std::size_t i = 0; i < Functions.size(); ++i)
        if (Functions[i].Name == name) return static_cast<int>(i);
    return -1;
}

bool TMediumDBItem::IsUsable(int geometry, int calcMode) const {
    if (geometry < 0 || geometry > 15 || calcMode < 0 || calcMode > 15) return false;
    return ((Usages >> geometry) & 1u) != 0 && ((CalcModes >> calcMode) & 1u) != 0;
}

const TMediumDBItem* TMediumTypes::FindItem(std::string_view id) const {
    for (const auto& item : Items)
        if (item.ItemID == id) return &item;
    return nullptr;
}

std::string TMediumTypes::IDByName(std::string_view name) const {
    for (const auto& item : Items)
        if (item.ItemName == name) return item.ItemID;
    return std::string(kUserDefined);
}

std::string TMediumTypes::NameByID(std::string_view id) const {
    if (const TMediumDBItem* item = FindItem(id)) return item->ItemName;
    return DataText("IDS_USERDEFINED");
}

void TMediumTypes::FillComboBox(IComboBox&, std::string&, int, int) const {}
