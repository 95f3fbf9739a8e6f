// Documents written by other programs than Word, where they are installed.
#include "processes/child_process.h"
#include "word_corpus/chinese_text.h"
#include "word_corpus/word_corpus.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

namespace tessaro::test {

namespace {

// Debian's python3, which python-docx is installed for.
const char* const kPython = "/usr/bin/python3";
const char* const kPandoc = "/usr/bin/pandoc";

const char* const kPythonDocxScript = R"(
import sys
from docx import Document
from docx.shared import Pt
from docx.oxml.ns import qn
doc = Document()
normal = doc.styles['Normal']
normal.font.name = 'Times New Roman'
normal.font.size = Pt(12)
normal.element.rPr.rFonts.set(qn('w:eastAsia'), '宋体')
doc.core_properties.title = '季度工作简报'
doc.add_heading('季度工作简报', 0)
for i in range(1, 4):
    doc.add_heading('第%d部分' % i, level=1)
    for j in range(4):
        doc.add_paragraph('这是由程序写成的第%d部分第%d段。' % (i, j + 1) + sys.argv[2])
    for k in range(3):
        doc.add_paragraph('编号条目%d-%d' % (i, k + 1), style='List Number')
table = doc.add_table(rows=1, cols=3)
table.style = 'Table Grid'
for cell, text in zip(table.rows[0].cells, ('序号', '名称', '数值')):
    cell.text = text
for r in range(30):
    cells = table.add_row().cells
    cells[0].text, cells[1].text, cells[2].text = str(r + 1), '指标%d' % (r + 1), str(100 + r)
p = doc.add_paragraph('加粗与倾斜：')
p.add_run('加粗').bold = True
p.add_run('倾斜').italic = True
doc.save(sys.argv[1])
)";

bool runs(const std::string& program, const std::vector<std::string>& args)
{
    if (::access(program.c_str(), X_OK) != 0)
        return false;
    ChildProcess child(program, args);
    int status = 0;
    if (!child.waitFor(std::chrono::seconds(120), &status)) {
        child.kill();
        return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool writePythonDocxDocument(const std::string& path)
{
    return runs(kPython, {"-c", kPythonDocxScript, path, chineseParagraph(0, 3)});
}

bool writePandocDocument(const std::string& path)
{
    std::string markdown = "---\ntitle: 数据治理白皮书\nlang: zh-CN\n---\n\n";
    for (int section = 1; section <= 3; ++section) {
        markdown += "# 第" + std::to_string(section) + "章\n\n";
        for (int i = 0; i < 4; ++i)
            markdown += chineseParagraph(section * 4 + i, 4) + "[^" + std::to_string(section * 10 + i) + "]\n\n";
        for (int i = 1; i <= 4; ++i)
            markdown += std::to_string(i) + ". 要点" + std::to_string(section) + "-" + std::to_string(i) + "\n";
        markdown += "\n";
    }
    markdown += "| 序号 | 名称 | 说明 |\n|---|---|---|\n";
    for (int r = 1; r <= 50; ++r)
        markdown += "| " + std::to_string(r) + " | 数据项" + std::to_string(r) + " | " + chineseParagraph(r, 1) + " |\n";
    markdown += "\n";
    for (int section = 1; section <= 3; ++section)
        for (int i = 0; i < 4; ++i)
            markdown += "[^" + std::to_string(section * 10 + i) + "]: 第" + std::to_string(section) + "章的注释" +
                        std::to_string(i + 1) + "。\n";
    const std::string source = path + ".md";
    std::ofstream(source, std::ios::binary) << markdown;
    const bool written = runs(kPandoc, {"-f", "markdown", "-t", "docx", "-o", path, source});
    std::remove(source.c_str());
    return written;
}

}  // namespace tessaro::test
