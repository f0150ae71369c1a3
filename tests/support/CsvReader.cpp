#include "support/CsvReader.h"

bool ReadCsv(const std::string& text, CsvRows& rows)
{
    rows.clear();
    for (size_t i = 0; i < text.size(); i += 2) {
        rows.emplace_back();
        for (bool more = true; more; more = i < text.size() && text[i] == ',' && ++i) {
            std::string field;
            const bool quoted = i < text.size() && text[i] == '"';
            // In quotes a doubled quote is one quote of the field; a single one ends it.
            for (i += quoted; i < text.size() && (quoted ? text[i] != '"' || text.compare(i, 2, "\"\"") == 0
                                                         : text[i] != ',' && text[i] != '\r' && text[i] != '\n');
                 ++i) {
                if (text[i] == '"' && (!quoted || text[++i] != '"'))
                    return false;
                field += text[i];
            }
            if (quoted && i++ == text.size())
                return false;
            rows.back().push_back(field);
        }
        if (text.compare(i, 2, "\r\n") != 0)
            return false;
    }
    return true;
}
