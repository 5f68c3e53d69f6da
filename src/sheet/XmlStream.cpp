#include "sheet/XmlStream.h"

#include "sheet/Workbook.h"

#include <expat.h>

#include <cstring>

namespace orv::sheet {

namespace {

XML_Parser handle(void* parser) {
    return static_cast<XML_Parser>(parser);
}

} // namespace

std::string_view localName(const char* name) {
    // Names are short ("c", "x:c", "table:table-cell"): the prefix ends at the only colon. One
    // pass finds both the colon and the end; every element and attribute comes through here.
    const char* local = name;
    const char* p = name;
    for (; *p; ++p)
        if (*p == ':') local = p + 1;
    return std::string_view(local, static_cast<size_t>(p - local));
}

XmlStream::XmlStream(std::string source) : source_(std::move(source)) {
    create();
}

XmlStream::~XmlStream() {
    if (parser_) XML_ParserFree(handle(parser_));
}

void XmlStream::create() {
    if (parser_) XML_ParserFree(handle(parser_));
    // Without namespace processing: expat would build a full URI for every name, which costs
    // more than the rest of the parse. The formats fix their prefixes' meanings; the local name
    // after the prefix is what the readers compare.
    parser_ = XML_ParserCreate(nullptr);
    if (!parser_) throw WorkbookError(source_ + ": ni pomnilnika za branje XML");
    XML_SetUserData(handle(parser_), this);
    XML_SetElementHandler(handle(parser_), &XmlStream::onStart, &XmlStream::onEnd);
    XML_SetCharacterDataHandler(handle(parser_), &XmlStream::onCharacters);
}

void XmlStream::reset() {
    stopText_.clear();
    create();
}

void XmlStream::stop(std::string text) {
    if (stopText_.empty()) stopText_ = std::move(text);
    XML_StopParser(handle(parser_), XML_FALSE);
}

void XmlStream::feed(const char* data, size_t size, bool last) {
    if (XML_Parse(handle(parser_), data, static_cast<int>(size), last ? 1 : 0) != XML_STATUS_OK)
        failed();
}

char* XmlStream::buffer(size_t size) {
    void* room = XML_GetBuffer(handle(parser_), static_cast<int>(size));
    if (!room) throw WorkbookError(source_ + ": ni pomnilnika za branje XML");
    return static_cast<char*>(room);
}

void XmlStream::parseBuffer(size_t length, bool last) {
    if (XML_ParseBuffer(handle(parser_), static_cast<int>(length), last ? 1 : 0) != XML_STATUS_OK)
        failed();
}

void XmlStream::failed() {
    if (!stopText_.empty()) throw WorkbookError(stopText_);
    const XML_Error code = XML_GetErrorCode(handle(parser_));
    const auto line = XML_GetCurrentLineNumber(handle(parser_));
    throw WorkbookError(source_ + " je poškodovan: " + XML_ErrorString(code) + " (vrstica XML " +
                        std::to_string(line) + ")");
}

const char* XmlStream::attribute(const char** attributes, std::string_view name) {
    for (size_t i = 0; attributes[i]; i += 2)
        if (localName(attributes[i]) == name) return attributes[i + 1];
    return nullptr;
}

void XmlStream::onStart(void* self, const char* name, const char** attributes) {
    static_cast<XmlStream*>(self)->startElement(localName(name), attributes);
}

void XmlStream::onEnd(void* self, const char* name) {
    static_cast<XmlStream*>(self)->endElement(localName(name));
}

void XmlStream::onCharacters(void* self, const char* text, int length) {
    static_cast<XmlStream*>(self)->characters(std::string_view(text, static_cast<size_t>(length)));
}

} // namespace orv::sheet
