#include "data/Price.h"

#include "data/DataTexts.h"
#include "data/ParserStream.h"
#include "platform/base/Exception.h"
#include "platform/base/FileStream.h"
#include "platform/base/SysUtils.h"
#include "platform/win/Clock.h"
#include "platform/win/MessageBox.h"

#include <limits>
#include <tuple>

std::unique_ptr<TPrice> PriceList;

TPrice::TPrice(const std::filesystem::path& path) {
    std::unique_ptr<TParserStream> parser;
    {
        TFileStream file(path, fmOpenRead);
        parser = std::make_unique<TParserStream>(file);
    }
    Read(*parser);
}

void TPrice::Read(TParserStream& parser) {
    const int year = parser.NextInteger();
    const int month = parser.NextInteger();
    const int day = parser.NextInteger();
    (void)EncodeDate(year, month, day);  // an impossible date raises the conversion's error
    Year = static_cast<std::uint16_t>(year);
    Month = month;
    Day = day;

    // Out-of-date prices are still used; the user is only told.
    const win::TDate today = win::Today();
    if (std::tie(today.Year, today.Month, today.Day) > std::tie(year, month, day))
        win::MessageBox(DataText("IDS_PRICEOUTOFDATE"), DataText("IDS_PROGRAMTITLE"), win::MB_OK | win::MB_ICONWARNING);

    parser.NextString(Currency);
    for (;;) {
        TPriceItem row;
        parser.NextString(row.Name);
        const double price = parser.NextFloat();
        // Stored as float32: a price beyond its range would turn into infinity.
        if (price > std::numeric_limits<float>::max() || price < -std::numeric_limits<float>::max())
            throw FloatConvertError(parser.LastFloat());
        row.Price = static_cast<float>(price);
        const bool last = row.Name == "END";
        Items.push_back(std::move(row));
        if (last) break;
    }
}

float TPrice::GetPrice(std::string_view name) const {
    for (const auto& row : Items)
        if (row.Name == name) return row.Price;
    return 0;
}

void LoadPriceList(const std::filesystem::path& path) {
    PriceList.reset();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return;
    try {
        PriceList = std::make_unique<TPrice>(path);
    } catch (const EFOpenError&) {
        // A list that can't be opened counts as none.
        PriceList.reset();
    } catch (const Exception& e) {
        PriceList.reset();
        win::MessageBox(e.Message(), DataText("IDS_PROGRAMTITLE"), win::MB_OK | win::MB_ICONEXCLAMATION);
    }
}
