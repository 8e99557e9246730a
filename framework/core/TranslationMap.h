// A translation map: English texts of the user interface to the user's language, read
// from a "lang.ini" file. Each program keeps its own map with its own rules.
//
// File format: one "key=value" a line; the key ends at the first "="; nothing is trimmed;
// lines without "=" or starting with it are skipped; "\n", "\r" and "\t" (in that order)
// stand for line feed, carriage return and tab in key and value. A CR before the line
// feed is not part of the line. A UTF-8 file is taken as it is; any other is read as
// Windows-1252.
//
// A value whose printf placeholders differ from its key's is not taken: translations are
// used as formats, and a placeholder the caller does not pass would read arguments that
// do not exist.
#pragma once
#include "framework/core/CString.h"
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

class CTranslationMap {
public:
    struct Rules {
        // "Name:" is translated through the entry for "Name" and keeps its colon.
        bool trailingColon = true;
        // An empty value replaces its key by an empty text (otherwise the key stays English).
        bool keepEmptyValues = false;
    };
    // The designer's rules; a second program with its own folder and rules makes its own map.
    static constexpr Rules kDesignerRules{true, false};
    static constexpr Rules kExplorerRules{false, true};

    explicit CTranslationMap(Rules rules = kDesignerRules) : m_rules(rules) {}

    // Reads the file into the map (replacing what it held). False when the file cannot
    // be read; the map is then empty.
    bool LoadFile(const CString& path);
    // Parses the bytes of a translation file into the map (replacing what it held).
    void LoadText(std::string_view bytes);
    void Clear();

    // Replaces text by its translation and returns true when there is one.
    bool Lookup(CString& text) const;
    // The translation of text, or text itself.
    CString Translate(const char* text) const;

    int GetCount() const { return int(m_map.size()); }
    bool IsEmpty() const { return m_map.empty(); }
    // Every key met again after its first line, each followed by "\r\n".
    const CString& DuplicateReport() const { return m_duplicates; }
    // Keys whose value was refused because its placeholders differ from the key's.
    int RejectedCount() const { return m_rejected; }

private:
    bool Find(const std::string& key, std::string& value) const;

    Rules m_rules;
    std::unordered_map<std::string, std::string> m_map;
    CString m_duplicates;
    int m_rejected = 0;
};

// True when both texts ask for the same printf arguments in the same order (and neither
// writes through %n).
bool SamePlaceholders(std::string_view a, std::string_view b);

