// Feeds arbitrary bytes to the RTF reader and lays the result out, as the box would.
// Run with files as arguments to replay them once each.

#include "platform/richtext/rtf_reader.h"

#include <QAbstractTextDocumentLayout>
#include <QByteArray>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Damaged pictures are expected here; their decoder warnings would drown the fuzzer's output.
    qputenv("QT_LOGGING_RULES", "qt.gui.imageio*=false");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument doc;
    if (kv::readRtf(bytes, &doc)) {
        // Qt trusts a table's width list to match its columns and writes past it
        // otherwise, out of the sanitizers' sight; check it here instead.
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            QTextCursor c(b);
            if (const QTextTable *t = c.currentTable()) {
                const qsizetype widths = t->format().columnWidthConstraints().size();
                if (widths != 0 && widths != t->columns())
                    std::abort();
            }
        }
        doc.setTextWidth(500);
        (void)doc.documentLayout()->documentSize();
        (void)doc.toPlainText();
    }
    // Qt trims its font caches from a timer; without an event loop they would only grow.
    QCoreApplication::processEvents();
    return 0;
}
