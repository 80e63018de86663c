#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Writes the XML of a job file: the declaration, then elements without
// indentation or line breaks. An empty element is written with an opening and
// a closing tag. Element and attribute names are the caller's constants.
class JobXmlWriter {
public:
    using Attributes = std::vector<std::pair<std::string_view, std::string_view>>;

    JobXmlWriter();

    void startElement(std::string_view name, const Attributes& attributes = {});
    // An element holding only the text.
    void textElement(std::string_view name, std::string_view text, const Attributes& attributes = {});
    void endElement();
    // The document, with every element still open closed.
    std::string document();

    // Text as element content: & < > as entity references, a carriage return
    // as a character reference (a parser would turn a bare one into a line
    // feed), and whatever XML cannot hold (bytes that are not UTF-8, control
    // characters, U+FFFE, U+FFFF) as U+FFFD, so the file always stays readable.
    static std::string escapeText(std::string_view text);

private:
    static void appendEscaped(std::string& out, std::string_view text, bool inAttribute);

    std::string mOut;
    std::vector<std::string> mOpen;
};
