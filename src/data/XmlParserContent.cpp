// TXmlParser: text content and the references in it.
#include "data/XmlParser.h"

#include <functional>

// Runs of document text are translated as they are copied; bytes that
// references produce are appended as they are, already Windows-1252. With
// Normalize the text is packed as it grows, so a part that is only white
// space costs no copy.
bool TXmlParser::AnalyzeText() {
    partType_ = TPartType::ptContent;
    textSink_.Start(normalize_);
    lastTextByte_ = partStart_;
    const bool ownTranslation = HasOwnTranslation();
    const char* p = partStart_;
    for (;;) {
        p = CopyTextRun(p, ownTranslation);
        if (*p == '&') {
            p = TextReference(p);
            continue;
        }
        if (*p == '<' || entityStack_.Count() == 0) break;
        // The end of an entity's text: the content goes on after its reference.
        p = entityStack_.Pop();
    }
    textSink_.Finish(partContent_);
    partFinal_ = lastTextByte_;
    next_ = p;
    return !normalize_ || !partContent_.empty();
}

// Appends the text from first to the next NUL, "<" or "&"; returns that byte.
const char* TXmlParser::CopyTextRun(const char* first, bool ownTranslation) {
    const char* stop;
    if (ownTranslation) {
        stop = xml::FindTextStop(first);
        scratch_.assign(first, stop);
        TranslateEncoding(scratch_);
        textSink_.Append(scratch_);
    } else {
        // The document's own text may be read in blocks up to its NUL; an
        // entity's text is read byte by byte.
        const char* end = GetDocBuffer() + docLength_;
        const bool inDocument = std::less_equal<>()(GetDocBuffer(), first) && std::less<>()(first, end);
        stop = textSink_.AppendRun(first, inDocument ? end : nullptr, utf8_);
    }
    if (stop != first) lastTextByte_ = stop - 1;
    return stop;
}

// amp is at "&"; returns where the text goes on.
const char* TXmlParser::TextReference(const char* amp) {
    // The ";" is looked for only up to the next markup or reference, so a bare
    // "&" neither swallows the tags after it nor makes the scan quadratic.
    const char* semi = amp + 1;
    while (*semi != ';' && *semi != 0 && *semi != '<' && *semi != '&') ++semi;
    if (*semi != ';') {  // no reference: the "&" is dropped
        lastTextByte_ = amp;
        return amp + 1;
    }
    lastTextByte_ = semi;
    const std::string_view name(amp + 1, static_cast<std::size_t>(semi - amp - 1));
    const char* after = semi + 1;
    if (!name.empty() && name[0] == '#') {
        // Appended as the byte itself, untranslated, whatever the encoding.
        textSink_.AppendByte(static_cast<char>(xml::CharRefByte(name.substr(1))));
        return after;
    }
    if (const int c = xml::PredefinedEntityChar(name); c >= 0) {
        textSink_.AppendByte(static_cast<char>(c));
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
    scratch_.assign(name);
    TranslateEncoding(scratch_);
    textSink_.Append(scratch_);
    return after;
}
