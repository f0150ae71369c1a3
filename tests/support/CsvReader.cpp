#include "support/CsvReader.h"

bool ReadCsv(const std::string& text, CsvRows& rows)
{
    rows.clear();
    for (size_t i = 0; i < text.size();) {
        rows.emplace_back();
        for (;;) {
            std::string field;
            if (i < text.size() && text[i] == '"') {
                // A doubled quote is one quote of the field; a single one ends it.
                for (++i; i < text.size() && (text[i] != '"' || text.compare(i, 2, "\"\"") == 0); ++i) {
                    if (text[i] == '"')
                        ++i;
                    field += text[i];
                }
                if (i++ == text.size())
                    return false;
            } else {
                for (; i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n'; ++i) {
                    if (text[i] == '"')
                        return false;
                    field += text[i];
                }
            }
            rows.back().push_back(field);
            if (i < text.size() && text[i] == ',') {
                ++i;
                continue;
            }
            if (text.compare(i, 2, "\r\n") != 0)
                return false;
            i += 2;
            break;
        }
    }
    return true;
}
