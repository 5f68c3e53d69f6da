#pragma once
// A streaming XML reader over expat: the text is fed in chunks, and the handlers see elements
// and character data as they pass, by their local names (prefixes dropped). No document tree
// is built.

#include <cstddef>
#include <string>
#include <string_view>

namespace orv::sheet {

class XmlStream {
public:
    /// `source` names the document in error texts (the file and the part).
    explicit XmlStream(std::string source);
    virtual ~XmlStream();
    XmlStream(const XmlStream&) = delete;
    XmlStream& operator=(const XmlStream&) = delete;

    /// Parses the next chunk; `last` marks the end of the document. Throws WorkbookError with
    /// the parser's message and line on malformed XML.
    void feed(const char* data, size_t size, bool last);
    /// Parses a whole document.
    void parse(std::string_view document) { feed(document.data(), document.size(), true); }
    /// Room for the next chunk inside the parser, `size` bytes: filled there and handed on with
    /// parseBuffer(), a chunk is not copied once more on its way into the parser.
    char* buffer(size_t size);
    /// Parses the first `length` bytes of the room that buffer() gave, as feed() does.
    void parseBuffer(size_t length, bool last);
    /// Parses the next chunk of a stream: `fill(room, size)` writes up to `size` bytes into the
    /// parser's room and returns how many; none marks the end. False at the end.
    template <class Fill> bool feedFrom(size_t size, Fill fill) {
        const size_t got = fill(buffer(size), size);
        parseBuffer(got, got == 0);
        return got != 0;
    }
    /// Starts over with a fresh parser (the handlers' own state is theirs to reset).
    void reset();

protected:
    /// Stops the parse from a handler; feed() then throws WorkbookError with `text`. Handlers
    /// never throw themselves: the exception would have to cross expat's C frames.
    void stop(std::string text);

    /// The document as error texts name it.
    const std::string& source() const { return source_; }

    /// An attribute's value by local name, or nullptr.
    static const char* attribute(const char** attributes, std::string_view localName);

    virtual void startElement(std::string_view name, const char** attributes) = 0;
    virtual void endElement(std::string_view name) = 0;
    virtual void characters(std::string_view text) = 0;

private:
    static void onStart(void* self, const char* name, const char** attributes);
    static void onEnd(void* self, const char* name);
    static void onCharacters(void* self, const char* text, int length);
    void create();
    [[noreturn]] void failed();

    std::string source_;
    std::string stopText_;
    void* parser_ = nullptr; // XML_Parser
};

/// The local part of a prefixed name: "table:table-cell" gives "table-cell".
std::string_view localName(const char* name);

} // namespace orv::sheet
