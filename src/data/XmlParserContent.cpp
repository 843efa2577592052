// TXmlParser: text content and the references in it.
#include "data/XmlParser.h"

namespace {

constexpr xml::TCharset kTextStop(std::string_view("\0<&", 3));

}  // namespace

// Runs of document text are translated as they are flushed; bytes that
// references produce are appended as they are, already Windows-1252.
bool TXmlParser::AnalyzeText() {
    partType_ = TPartType::ptContent;
    partContent_.clear();
    lastTextByte_ = partStart_;
    const char* p = partStart_;
    const char* run = p;
    for (;;) {
        while (!kTextStop.Contains(*p)) ++p;
        if (*p == '&') {
            FlushRun(run, p);
            p = TextReference(p);
            run = p;
            continue;
        }
        if (*p == '<' || entityStack_.Count() == 0) break;
        // The end of an entity's text: the content goes on after its reference.
        FlushRun(run, p);
        p = entityStack_.Pop();
        run = p;
    }
    FlushRun(run, p);
    partFinal_ = lastTextByte_;
    next_ = p;
    if (!normalize_) return true;
    xml::NormalizeWs(partContent_);
    return !partContent_.empty();
}

void TXmlParser::FlushRun(const char* first, const char* end) {
    if (end == first) return;
    lastTextByte_ = end - 1;
    if (partContent_.empty()) {
        partContent_.assign(first, end);
        TranslateEncoding(partContent_);
    } else {
        scratch_.assign(first, end);
        TranslateEncoding(scratch_);
        partContent_ += scratch_;
    }
}

// amp is at "&"; returns where the text goes on.
const char* TXmlParser::TextReference(const char* amp) {
    // The ";" is looked for only up to the next markup or reference, so a bare
    // "&" neither swallows the tags after it nor makes the scan quadratic.
    const char* semi = amp + 1;
    while (*semi != ';' && !kTextStop.Contains(*semi)) ++semi;
    if (*semi != ';') {  // no reference: the "&" is dropped
        lastTextByte_ = amp;
        return amp + 1;
    }
    lastTextByte_ = semi;
    const std::string_view name(amp + 1, static_cast<std::size_t>(semi - amp - 1));
    const char* after = semi + 1;
    if (!name.empty() && name[0] == '#') {
        // Appended as the byte itself, untranslated, whatever the encoding.
        partContent_.push_back(static_cast<char>(xml::CharRefByte(name.substr(1))));
        return after;
    }
    if (const int c = xml::PredefinedEntityChar(name); c >= 0) {
        partContent_.push_back(static_cast<char>(c));
        return after;
    }
    if (const TEntityDef* entity = generalEntities_.Node(name);
        entity && entityStack_.Count() < kMaxEntityDepth) {
        if (!entity->IsExternal()) {
            if (Charge(entity->Value.size())) return entityStack_.Push(entity->Value, after);
        } else if (std::unique_ptr<TXmlParser> text = LoadExternal(entity->SystemId, entity->PublicId,
                                                                    entity->NotationId)) {
            const char* first = text->GetDocBuffer();
            entityStack_.Push(std::move(text), after);
            return first;
        }
    }
    // Undeclared, or beyond the expansion bound: the bare name, as text.
    FlushRun(amp + 1, semi);
    lastTextByte_ = semi;
    return after;
}
