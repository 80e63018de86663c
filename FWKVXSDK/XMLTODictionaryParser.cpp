#include "FWKVXSDK/XMLTODictionaryParser.h"

// Debian's expat is built with DTD support, which brings the entity-expansion
// limits used below; its header declares them only when told so.
#ifndef XML_DTD
#define XML_DTD
#endif
#include <expat.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "FWKVXSDK/XMLArray.h"
#include "FWKVXSDK/XMLDictionary.h"

namespace {

// Entity expansion may make the text at most this many times the document.
constexpr float kMaxAmplification = 100.0f;
// ...once the expanded text passes this many bytes.
constexpr unsigned long long kAmplificationCheckFrom = 4 * 1024 * 1024;
// Bytes handed to expat per call.
constexpr size_t kFeedChunk = 1024 * 1024;

bool isWhiteSpace(char32_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680
        || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F
        || c == 0x3000;
}

// Decodes the UTF-8 sequence of the given length starting at the byte; text
// from expat is always well-formed UTF-8.
char32_t decode(const unsigned char* s, size_t length)
{
    switch (length) {
    case 1:
        return s[0];
    case 2:
        return ((s[0] & 0x1Fu) << 6) | (s[1] & 0x3Fu);
    case 3:
        return ((s[0] & 0x0Fu) << 12) | ((s[1] & 0x3Fu) << 6) | (s[2] & 0x3Fu);
    default:
        return ((s[0] & 0x07u) << 18) | ((s[1] & 0x3Fu) << 12) | ((s[2] & 0x3Fu) << 6) | (s[3] & 0x3Fu);
    }
}

size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80) {
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        return 4;
    }
    return 1; // not a lead byte: taken on its own, it is no white space
}

} // namespace

std::string XMLTODictionaryParser::trimmedText(std::string_view text)
{
    auto bytes = reinterpret_cast<const unsigned char*>(text.data());
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end) {
        size_t length = std::min(sequenceLength(bytes[begin]), end - begin);
        if (!isWhiteSpace(decode(bytes + begin, length))) {
            break;
        }
        begin += length;
    }
    while (end > begin) {
        size_t start = end - 1;
        while (start > begin && end - start < 4 && (bytes[start] & 0xC0) == 0x80) {
            --start;
        }
        size_t length = end - start;
        if (sequenceLength(bytes[start]) != length || !isWhiteSpace(decode(bytes + start, length))) {
            break;
        }
        end = start;
    }
    return std::string(text.substr(begin, end - begin));
}

namespace {

XMLTODictionaryParser* readerOf(void* parser)
{
    return static_cast<XMLTODictionaryParser*>(XML_GetUserData(static_cast<XML_Parser>(parser)));
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : mFd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (mFd >= 0) {
            ::close(mFd);
        }
    }
    int get() const { return mFd; }

private:
    int mFd;
};

} // namespace

std::shared_ptr<XMLTODictionaryParser> XMLTODictionaryParser::sharedInstance()
{
    static const std::shared_ptr<XMLTODictionaryParser> instance = std::make_shared<XMLTODictionaryParser>();
    return instance;
}

std::shared_ptr<XMLTODictionaryParser> XMLTODictionaryParser::copy() const
{
    auto reader = std::make_shared<XMLTODictionaryParser>();
    reader->mAttributesmode = mAttributesmode;
    reader->mNodenamemode = mNodenamemode;
    reader->mApsetextnodes = mApsetextnodes;
    reader->mEmptynodes = mEmptynodes;
    reader->mWhitespace = mWhitespace;
    reader->mUsearrays = mUsearrays;
    reader->mComments = mComments;
    reader->mWraprootnode = mWraprootnode;
    return reader;
}

std::shared_ptr<XMLDict> XMLTODictionaryParser::dictionaryWithParser(EventParser parser, std::string_view document)
{
    mRoot.reset();
    mStack.clear();
    mText.reset();
    mDepth = 0;
    mElements = 0;
    mTextBytes = 0;
    mStopped = false;
    mInCdata = false;
    mPreserveSpace.clear();

    XML_SetUserData(parser, this);
    XML_UseParserAsHandlerArg(parser);
    XML_SetElementHandler(parser, &XMLTODictionaryParser::onStart, &XMLTODictionaryParser::onEnd);
    XML_SetCharacterDataHandler(parser, &XMLTODictionaryParser::onText);
    XML_SetCdataSectionHandler(parser, &XMLTODictionaryParser::onCdataStart, &XMLTODictionaryParser::onCdataEnd);

    size_t offset = 0;
    do {
        size_t length = std::min(document.size() - offset, kFeedChunk);
        bool last = offset + length == document.size();
        if (XML_Parse(parser, document.data() + offset, static_cast<int>(length), last) != XML_STATUS_OK) {
            break; // an error or a limit: the tree so far is the result
        }
        offset += length;
    } while (offset < document.size());

    XML_SetElementHandler(parser, nullptr, nullptr);
    XML_SetCharacterDataHandler(parser, nullptr);
    XML_SetCdataSectionHandler(parser, nullptr, nullptr);
    XML_SetUserData(parser, nullptr);

    auto result = std::move(mRoot);
    mRoot.reset();
    mStack.clear();
    mText.reset();
    return result;
}

std::shared_ptr<XMLDict> XMLTODictionaryParser::dictionaryWithData(std::string_view data)
{
    XML_Parser parser = XML_ParserCreate(nullptr);
    if (parser == nullptr) {
        return nullptr;
    }
    // Never read anything the document points to outside itself.
    XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
    XML_SetBillionLaughsAttackProtectionMaximumAmplification(parser, kMaxAmplification);
    XML_SetBillionLaughsAttackProtectionActivationThreshold(parser, kAmplificationCheckFrom);
    std::shared_ptr<XMLDict> result;
    try {
        result = dictionaryWithParser(parser, data);
    } catch (...) {
        result = nullptr;
    }
    XML_ParserFree(parser);
    return result;
}

std::shared_ptr<XMLDict> XMLTODictionaryParser::dictionaryWithFile(const std::string& path)
{
    // Non-blocking, so that opening a FIFO cannot hang; only regular files are read.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (file.get() < 0) {
        return nullptr;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0
        || static_cast<uint64_t>(info.st_size) > kMaxFileSize) {
        return nullptr;
    }
    std::string data;
    try {
        // One byte beyond the limit tells a file that grew past it since fstat.
        data.resize(static_cast<size_t>(info.st_size) + 1);
        size_t filled = 0;
        for (;;) {
            if (filled == data.size()) {
                if (data.size() > kMaxFileSize) {
                    return nullptr;
                }
                data.resize(std::min(data.size() * 2, kMaxFileSize + 1));
            }
            ssize_t got = ::read(file.get(), data.data() + filled, data.size() - filled);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                return nullptr;
            }
            if (got == 0) {
                break;
            }
            filled += static_cast<size_t>(got);
        }
        data.resize(filled);
    } catch (...) {
        return nullptr;
    }
    return dictionaryWithData(data);
}

void XMLTODictionaryParser::addText(std::string_view piece)
{
    if (mText) {
        mText->append(piece);
    } else {
        mText = std::string(piece);
    }
}

void XMLTODictionaryParser::endText()
{
    if (!mText) {
        return;
    }
    // Text inside an element that asks for its white space to be kept
    // (xml:space="preserve", inherited) is kept as it is.
    const bool preserve = !mPreserveSpace.empty() && mPreserveSpace.back();
    std::string text = mWhitespace && !preserve ? trimmedText(*mText) : std::move(*mText);
    mText.reset();
    if (text.empty() || mStack.empty()) {
        return; // nothing left, or text outside any element
    }
    XMLDict& node = *mStack.back();
    XMLValue* existing = node.find(XMLDictionary::kTextKey);
    if (existing && existing->isArray()) {
        existing->array()->push_back(std::move(text));
    } else if (existing && existing->isString()) {
        *existing = std::make_shared<XMLArray>(XMLArray{*existing, std::move(text)});
    } else {
        node.set(XMLDictionary::kTextKey, std::move(text));
    }
}

void XMLTODictionaryParser::parser(EventParser parser, const std::string& elementName,
                                   const std::optional<std::string>& /*namespaceURI*/,
                                   const std::optional<std::string>& /*qualifiedName*/, const Attributes& attributes)
{
    if (mStopped) {
        return;
    }
    if (mDepth >= kMaxDepth || mElements >= kMaxElements || (mRoot && mDepth == 0)) {
        stop(parser);
        return;
    }
    endText();

    auto node = std::make_shared<XMLDict>();
    if (mNodenamemode == 1 || (mNodenamemode == 0 && !mRoot)) {
        node->set(XMLDictionary::kNameKey, elementName);
    }
    if (!attributes.empty()) {
        switch (mAttributesmode) {
        case 0:
            for (const auto& [name, value] : attributes) {
                node->set("_" + name, value);
            }
            break;
        case 1: {
            auto map = std::make_shared<XMLDict>();
            for (const auto& [name, value] : attributes) {
                map->set(name, value);
            }
            node->set(XMLDictionary::kAttributesKey, std::move(map));
            break;
        }
        case 2:
            for (const auto& [name, value] : attributes) {
                node->set(name, value);
            }
            break;
        default:
            break;
        }
    }

    if (mRoot) {
        XMLDict& parent = *mStack.back();
        XMLValue* existing = parent.find(elementName);
        if (existing && existing->isArray()) {
            existing->array()->push_back(node);
        } else if (existing) {
            *existing = std::make_shared<XMLArray>(XMLArray{*existing, node});
        } else if (mUsearrays) {
            parent.set(elementName, std::make_shared<XMLArray>(XMLArray{node}));
        } else {
            parent.set(elementName, node);
        }
        mStack.push_back(node);
    } else {
        mRoot = node;
        mStack = {node};
        if (mWraprootnode) {
            auto wrapper = std::make_shared<XMLDict>();
            wrapper->set(elementName, node);
            mRoot = wrapper;
            mStack.insert(mStack.begin(), wrapper);
        }
    }
    bool preserve = !mPreserveSpace.empty() && mPreserveSpace.back();
    for (const auto& [name, value] : attributes) {
        if (name == "xml:space") {
            preserve = value == "preserve" ? true : value == "default" ? false : preserve;
        }
    }
    mPreserveSpace.push_back(preserve);
    ++mDepth;
    ++mElements;
}

void XMLTODictionaryParser::parser(EventParser parser, std::string_view foundCharacters)
{
    if (mStopped || mInCdata) {
        return;
    }
    mTextBytes += foundCharacters.size();
    if (mTextBytes > kMaxTextBytes) {
        stop(parser);
        return;
    }
    addText(foundCharacters);
}

void XMLTODictionaryParser::parser(EventParser /*parser*/, const std::string& elementName,
                                   const std::optional<std::string>& /*namespaceURI*/,
                                   const std::optional<std::string>& /*qualifiedName*/)
{
    if (mStopped || mDepth == 0 || mStack.empty()) {
        return;
    }
    endText();
    auto node = mStack.back();
    mStack.pop_back();
    mPreserveSpace.pop_back();
    --mDepth;

    if (XMLDictionary::hasAttributes(*node) || XMLDictionary::hasChildNodes(*node)
        || XMLDictionary::hasComments(*node)) {
        return;
    }
    if (mStack.empty()) {
        return; // the root ended
    }
    XMLDict& parent = *mStack.back();
    auto key = nameForNode(node, parent, elementName);
    if (!key) {
        return;
    }
    XMLValue* slot = parent.find(*key);
    std::shared_ptr<XMLArray> siblings = slot ? slot->array() : nullptr;

    if (auto text = XMLDictionary::innerText(*node)) {
        if (!mApsetextnodes) {
            return;
        }
        if (siblings) {
            if (!siblings->empty()) {
                siblings->back() = std::move(*text);
            }
        } else {
            parent.set(*key, std::move(*text));
        }
    } else if (mEmptynodes) {
        if (siblings) {
            if (!siblings->empty()) {
                siblings->pop_back();
            }
        } else {
            parent.erase(*key);
        }
    } else if (!mApsetextnodes) {
        node->set(XMLDictionary::kTextKey, std::string());
    }
}

std::optional<std::string> XMLTODictionaryParser::nameForNode(const std::shared_ptr<XMLDict>& node,
                                                               const XMLDict& parent,
                                                               std::string_view likelyKey) const
{
    if (auto name = XMLDictionary::nodeName(*node)) {
        return name;
    }
    auto holds = [&node](const XMLValue& value) {
        if (value.isObject(node.get())) {
            return true;
        }
        auto array = value.array();
        return array && array->containsObject(node.get());
    };
    if (!likelyKey.empty()) {
        if (const XMLValue* value = parent.find(likelyKey); value && holds(*value)) {
            return std::string(likelyKey);
        }
    }
    for (const auto& entry : parent) {
        if (holds(entry.value)) {
            return entry.key;
        }
    }
    return std::nullopt;
}

void XMLTODictionaryParser::stop(EventParser parser)
{
    mStopped = true;
    XML_StopParser(parser, XML_FALSE);
}

void XMLTODictionaryParser::onStart(void* parser, const char* name, const char** attributes)
{
    auto* reader = readerOf(parser);
    auto eventParser = static_cast<XML_Parser>(parser);
    try {
        Attributes list;
        for (size_t i = 0; attributes[i] != nullptr && attributes[i + 1] != nullptr; i += 2) {
            list.emplace_back(attributes[i], attributes[i + 1]);
        }
        reader->parser(eventParser, std::string(name), std::nullopt, std::nullopt, list);
    } catch (...) {
        // Out of memory: end the parse, keep what was built. Nothing may unwind through expat.
        reader->stop(eventParser);
    }
}

void XMLTODictionaryParser::onEnd(void* parser, const char* name)
{
    auto* reader = readerOf(parser);
    auto eventParser = static_cast<XML_Parser>(parser);
    try {
        reader->parser(eventParser, std::string(name), std::nullopt, std::nullopt);
    } catch (...) {
        reader->stop(eventParser);
    }
}

void XMLTODictionaryParser::onText(void* parser, const char* text, int length)
{
    auto* reader = readerOf(parser);
    auto eventParser = static_cast<XML_Parser>(parser);
    try {
        reader->parser(eventParser, std::string_view(text, static_cast<size_t>(length)));
    } catch (...) {
        reader->stop(eventParser);
    }
}

void XMLTODictionaryParser::onCdataStart(void* parser)
{
    readerOf(parser)->mInCdata = true;
}

void XMLTODictionaryParser::onCdataEnd(void* parser)
{
    readerOf(parser)->mInCdata = false;
}
