// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/DocxReader.h"

#include "support/TestSupport.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <zip.h>

#include <cstring>
#include <memory>

namespace sw::test {

namespace {

struct DocFree {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocFree>;

DocPtr Parse(const std::string& xml, std::string& error) {
    xmlResetLastError();
    xmlDoc* doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "part.xml", nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!doc) {
        const xmlError* e = xmlGetLastError();
        error = e && e->message ? e->message : "unknown XML error";
        if (e) error += " (line " + std::to_string(e->line) + ")";
    }
    return DocPtr(doc);
}

bool Is(const xmlNode* n, const char* local) {
    return n && n->type == XML_ELEMENT_NODE &&
           std::strcmp(reinterpret_cast<const char*>(n->name), local) == 0;
}

std::string Attr(const xmlNode* n, const char* local) {
    for (const xmlAttr* a = n->properties; a; a = a->next)
        if (std::strcmp(reinterpret_cast<const char*>(a->name), local) == 0 && a->children)
            return reinterpret_cast<const char*>(a->children->content);
    return {};
}

const xmlNode* Child(const xmlNode* n, const char* local) {
    for (const xmlNode* c = n->children; c; c = c->next)
        if (Is(c, local)) return c;
    return nullptr;
}

// The text of a run container: w:t content, w:br as "\n", w:tab as "\t".
void CollectText(const xmlNode* n, std::string& out) {
    for (const xmlNode* c = n->children; c; c = c->next) {
        if (Is(c, "t")) {
            xmlChar* s = xmlNodeGetContent(c);
            out += reinterpret_cast<const char*>(s);
            xmlFree(s);
        } else if (Is(c, "br")) {
            out += "\n";
        } else if (Is(c, "tab")) {
            out += "\t";
        } else if (!Is(c, "pPr") && !Is(c, "rPr")) {
            CollectText(c, out);
        }
    }
}

ReadParagraph ReadPara(const xmlNode* p) {
    ReadParagraph out;
    if (const xmlNode* ppr = Child(p, "pPr")) {
        out.PageBreakBefore = Child(ppr, "pageBreakBefore") != nullptr;
        if (const xmlNode* jc = Child(ppr, "jc")) out.Jc = Attr(jc, "val");
    }
    CollectText(p, out.Text);
    return out;
}

ReadTable ReadTbl(const xmlNode* tbl) {
    ReadTable out;
    if (const xmlNode* pr = Child(tbl, "tblPr"))
        if (const xmlNode* w = Child(pr, "tblW")) {
            out.WidthType = Attr(w, "type");
            out.Width = std::stoi(Attr(w, "w"));
        }
    if (const xmlNode* grid = Child(tbl, "tblGrid"))
        for (const xmlNode* c = grid->children; c; c = c->next)
            if (Is(c, "gridCol")) ++out.GridColumns;
    for (const xmlNode* tr = tbl->children; tr; tr = tr->next) {
        if (!Is(tr, "tr")) continue;
        std::vector<std::string> row;
        for (const xmlNode* tc = tr->children; tc; tc = tc->next) {
            if (!Is(tc, "tc")) continue;
            std::string text;
            bool first = true;
            for (const xmlNode* p = tc->children; p; p = p->next) {
                if (!Is(p, "p")) continue;
                if (!first) text += "\n";
                first = false;
                text += ReadPara(p).Text;
            }
            row.push_back(text);
        }
        out.Cells.push_back(row);
    }
    return out;
}

void ReadBody(ReadDocx& docx) {
    std::string error;
    DocPtr doc = Parse(docx.Parts["word/document.xml"], error);
    if (!doc) return;
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    const xmlNode* body = root ? Child(root, "body") : nullptr;
    if (!body) return;
    for (const xmlNode* n = body->children; n; n = n->next) {
        if (Is(n, "p")) {
            docx.Body.emplace_back(ReadPara(n));
        } else if (Is(n, "tbl")) {
            docx.Body.emplace_back(ReadTbl(n));
        } else if (Is(n, "sectPr")) {
            if (const xmlNode* sz = Child(n, "pgSz")) {
                docx.PageWidth = std::stoi(Attr(sz, "w"));
                docx.PageHeight = std::stoi(Attr(sz, "h"));
                docx.Orient = Attr(sz, "orient");
            }
        }
    }
}

} // namespace

int ReadTable::Columns() const {
    if (Cells.empty()) return 0;
    const std::size_t n = Cells.front().size();
    for (const auto& row : Cells)
        if (row.size() != n) return -1;
    return static_cast<int>(n);
}

std::vector<ReadTable> ReadDocx::Tables() const {
    std::vector<ReadTable> out;
    for (const ReadBlock& b : Body)
        if (const auto* t = std::get_if<ReadTable>(&b)) out.push_back(*t);
    return out;
}

std::vector<ReadParagraph> ReadDocx::Paragraphs() const {
    std::vector<ReadParagraph> out;
    for (const ReadBlock& b : Body)
        if (const auto* p = std::get_if<ReadParagraph>(&b)) out.push_back(*p);
    return out;
}

bool WellFormed(const std::string& xml, std::string& error) {
    return Parse(xml, error) != nullptr;
}

ReadDocx ReadDocxBytes(const std::string& bytes) {
    ReadDocx docx;
    zip_error_t ze;
    zip_error_init(&ze);
    zip_source_t* src = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &ze);
    zip_t* za = src ? zip_open_from_source(src, ZIP_RDONLY | ZIP_CHECKCONS, &ze) : nullptr;
    zip_error_fini(&ze);
    if (!za) {
        if (src) zip_source_free(src);
        return docx;
    }
    docx.Opened = true;
    const zip_int64_t n = zip_get_num_entries(za, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        zip_stat_t st;
        if (zip_stat_index(za, static_cast<zip_uint64_t>(i), 0, &st) != 0) continue;
        zip_file_t* f = zip_fopen_index(za, static_cast<zip_uint64_t>(i), 0);
        if (!f) continue;
        std::string content(static_cast<std::size_t>(st.size), '\0');
        zip_fread(f, content.data(), st.size);
        zip_fclose(f);
        docx.Parts[st.name] = std::move(content);
    }
    zip_close(za);
    for (const auto& [name, content] : docx.Parts) {
        if (!name.ends_with(".xml") && !name.ends_with(".rels")) continue;
        std::string error;
        if (!WellFormed(content, error)) docx.XmlErrors.push_back(name + ": " + error);
    }
    ReadBody(docx);
    return docx;
}

ReadDocx ReadDocxFile(const std::string& path) {
    return ReadDocxBytes(ReadFileBytes(path));
}

} // namespace sw::test
