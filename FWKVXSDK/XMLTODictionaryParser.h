#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FWKVXSDK/XMLDict.h"

struct XML_ParserStruct; // expat's event parser

// Turns an XML document into a tree of nodes (XMLDict), arrays and texts,
// building it from the event parser's start, text and end events. The options
// decide how texts, empty elements, repeated elements, attributes and element
// names appear in the tree. sharedInstance() holds the default options; every
// read through XMLDictionary works on a copy of it. One instance runs one parse
// at a time.
//
// A hostile document costs bounded time and memory: files over kMaxFileSize
// are not read, entity expansion is capped by expat's amplification limit, and
// a document deeper than kMaxDepth, with more than kMaxElements elements or
// more than kMaxTextBytes of text ends the parse as an error would, keeping
// the tree built so far.
class XMLTODictionaryParser {
public:
    using EventParser = XML_ParserStruct*;
    using Attributes = std::vector<std::pair<std::string, std::string>>;

    static constexpr size_t kMaxFileSize = 16 * 1024 * 1024;
    static constexpr size_t kMaxDepth = 256;
    static constexpr size_t kMaxElements = 64 * 1024;
    static constexpr size_t kMaxTextBytes = 32 * 1024 * 1024;

    XMLTODictionaryParser() = default;

    // The process-wide prototype with the default options.
    static std::shared_ptr<XMLTODictionaryParser> sharedInstance();
    // A new reader with this one's options; the parse state is not copied.
    std::shared_ptr<XMLTODictionaryParser> copy() const;

    // Runs the parser (namespace processing off) over the document with this
    // reader as its event handler and returns the tree; null when no element
    // started. A parse that stops at an error keeps the tree built so far.
    std::shared_ptr<XMLDict> dictionaryWithParser(EventParser parser, std::string_view document);
    std::shared_ptr<XMLDict> dictionaryWithData(std::string_view data);
    // Null when the path is not a readable regular file of at most kMaxFileSize bytes.
    std::shared_ptr<XMLDict> dictionaryWithFile(const std::string& path);

    // Event handlers: start of an element, character data, end of an element.
    void parser(EventParser parser, const std::string& elementName, const std::optional<std::string>& namespaceURI,
                const std::optional<std::string>& qualifiedName, const Attributes& attributes);
    void parser(EventParser parser, std::string_view foundCharacters);
    void parser(EventParser parser, const std::string& elementName, const std::optional<std::string>& namespaceURI,
                const std::optional<std::string>& qualifiedName);

    // Collapse text nodes: an element with only text becomes that text in its parent.
    bool apsetextnodes() const { return mApsetextnodes; }
    void setApsetextnodes(bool value) { mApsetextnodes = value; }
    // Strip empty nodes: an element with nothing in it is removed from its parent.
    bool emptynodes() const { return mEmptynodes; }
    void setEmptynodes(bool value) { mEmptynodes = value; }
    // Trim each run of text of white space and line breaks; drop runs left empty.
    // Text inside an element marked xml:space="preserve" (the mark is inherited,
    // xml:space="default" ends it) is kept untrimmed.
    bool whitespace() const { return mWhitespace; }
    void setWhitespace(bool value) { mWhitespace = value; }
    // Store every child element in an array, even a single one.
    bool usearrays() const { return mUsearrays; }
    void setUsearrays(bool value) { mUsearrays = value; }
    // Kept and copied only; comments never reach the tree.
    bool comments() const { return mComments; }
    void setComments(bool value) { mComments = value; }
    // The result maps the root element's name to the root node.
    bool wraprootnode() const { return mWraprootnode; }
    void setWraprootnode(bool value) { mWraprootnode = value; }
    // 0: "_" + name, 1: one map under "__attributes", 2: own names, other: dropped.
    int64_t attributesmode() const { return mAttributesmode; }
    void setAttributesmode(int64_t value) { mAttributesmode = value; }
    // 0: "__name" on the root only, 1: on every node, other: on none.
    int64_t nodenamemode() const { return mNodenamemode; }
    void setNodenamemode(int64_t value) { mNodenamemode = value; }

    // The text without Unicode white space and line breaks at either end, as
    // the whitespace option trims it.
    static std::string trimmedText(std::string_view text);

    // Parse state: the tree being built, the open elements (innermost last),
    // and the text collected since the last element event.
    const std::shared_ptr<XMLDict>& root() const { return mRoot; }
    const std::vector<std::shared_ptr<XMLDict>>& stack() const { return mStack; }
    const std::optional<std::string>& text() const { return mText; }

private:
    void addText(std::string_view piece);
    void endText();
    // The key under which the parent holds the node. The node's element name,
    // when known, is tried first: a node is held under one key only.
    std::optional<std::string> nameForNode(const std::shared_ptr<XMLDict>& node, const XMLDict& parent,
                                           std::string_view likelyKey = {}) const;
    void stop(EventParser parser);

    static void onStart(void* parser, const char* name, const char** attributes);
    static void onEnd(void* parser, const char* name);
    static void onText(void* parser, const char* text, int length);
    // CDATA sections are not among the handled events: their text is skipped.
    static void onCdataStart(void* parser);
    static void onCdataEnd(void* parser);

    bool mApsetextnodes = true;
    bool mEmptynodes = true;
    bool mWhitespace = true;
    bool mUsearrays = false;
    bool mComments = false;
    bool mWraprootnode = false;
    int64_t mAttributesmode = 0;
    int64_t mNodenamemode = 0;

    std::shared_ptr<XMLDict> mRoot;
    std::vector<std::shared_ptr<XMLDict>> mStack;
    std::optional<std::string> mText;
    // Whether each open element keeps its white space (xml:space), innermost last.
    std::vector<bool> mPreserveSpace;

    // Cost of the running parse, against the limits above.
    size_t mDepth = 0;
    size_t mElements = 0;
    size_t mTextBytes = 0;
    bool mStopped = false;
    bool mInCdata = false;
};
