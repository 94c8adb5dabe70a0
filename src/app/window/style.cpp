#include "app/window/style.h"

namespace tessivo {

QString baseStyleSheet() {
    return QStringLiteral(
        // The phrase row and the result list: dark text on the light orange of the input boxes.
        "QLineEdit#Text3 { background: rgb(255,224,192); color: rgb(0,0,64); border: 1px solid gray; }\n"
        "QPlainTextEdit#Text6 { background: rgb(255,224,192); }\n"
        // Narrow stroke choosers: a small face, no padding and a small arrow so that \"最后一笔画\"
        // shows whole. The face is set here: a sheet over the window takes precedence over setFont.
        "QComboBox#Combo1, QComboBox#Combo2, QComboBox#Combo3, QComboBox#Combo4, QComboBox#Combo5"
        " { padding: 0px; font-size: 10px; }\n"
        "QComboBox#Combo1::drop-down, QComboBox#Combo2::drop-down, QComboBox#Combo3::drop-down,"
        " QComboBox#Combo4::drop-down, QComboBox#Combo5::drop-down { width: 8px; }\n"
        // Whatever a skin's colours, the banner stays white and the code row's twins white.
        "QWidget#Picture2, QLabel#Label27 { background: white; color: black; }\n"
        "QLabel#Label5, QLabel#Label25 { color: white; background: transparent; }\n");
}

}  // namespace tessivo
