#include "decomp/outputs.h"

#include <QStringList>

namespace tessivo::datagen {

QString fillsLine(const QString& character, const Drawing& drawing) {
    QStringList columns{character};
    for (const PanelFill& panel : drawing.panels) columns << fillFieldText(panel);
    return columns.join(u'\t') + u'\n';
}

QString confidenceWord(Confidence confidence) {
    switch (confidence) {
    case Confidence::High:
        return QStringLiteral("high");
    case Confidence::Medium:
        return QStringLiteral("medium");
    case Confidence::Low:
        break;
    }
    return QStringLiteral("low");
}

QString panelColumn(const PanelAssignment& panel) {
    switch (panel.kind) {
    case PanelAssignment::Kind::Strokes: {
        QStringList indices;
        for (int s : panel.strokes) indices << QString::number(s);
        // Tabs or colons in a glyph name would break the columns.
        QString glyph = panel.glyph;
        glyph.replace(u'\t', u' ').replace(u':', u' ');
        if (glyph.isEmpty()) glyph = QStringLiteral("?");
        return glyph + u':' + indices.join(u',');
    }
    case PanelAssignment::Kind::IdentKey:
        return QStringLiteral("key:") + panel.key;
    case PanelAssignment::Kind::Empty:
        break;
    }
    return QStringLiteral("-");
}

QString tableLine(const QString& character, const QString& fullCode, const Decomposition& decomposition) {
    QStringList columns{character, fullCode};
    for (const PanelAssignment& panel : decomposition.panels) columns << panelColumn(panel);
    columns << confidenceWord(decomposition.confidence);
    return columns.join(u'\t') + u'\n';
}

}  // namespace tessivo::datagen
