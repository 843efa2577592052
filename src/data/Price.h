#pragma once
// The optional price list "PRICE.TXT": a valid-until date, a currency text and
// named prices. The calculation looks prices up by the insulation type's ItemID
// followed by its price key.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TParserStream;

struct TPriceItem {
    std::string Name;
    float Price = 0;

    bool operator==(const TPriceItem&) const = default;
};

class TPrice {
public:
    TPrice() = default;
    // Reads the file. Raises EFOpenError when it can't be opened and Exception
    // with the token reader's text when it is broken.
    explicit TPrice(const std::filesystem::path& path);

    // Reads the date, the currency and the rows up to and with the "END" row.
    // Warns once (message box) when the list is out of date; still loads it.
    void Read(TParserStream& parser);

    // Price of the first row of exactly that name; 0 when none.
    float GetPrice(std::string_view name) const;

    std::uint16_t Year = 0;
    int Month = 0;
    int Day = 0;
    std::string Currency;
    std::vector<TPriceItem> Items;  // file order, the "END" row last
};

// The program's price list; null when the program runs without prices.
extern std::unique_ptr<TPrice> PriceList;

// Sets PriceList from the file when it exists. A broken file is reported once in
// a message box (its error text) and leaves PriceList null; a missing file or one
// that can't be opened is no error and leaves PriceList null too.
void LoadPriceList(const std::filesystem::path& path);
