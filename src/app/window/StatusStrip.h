// The status strip `Panel4` at the right of the settings pages: the output
// level meter, the CPU meter and the two indicator lights. The lights' accessible
// names say whether they are on (SetLightName); the meters speak their level
// (AccessibleValues.h).
#pragma once

#include <QFrame>

class QLabel;

namespace moravel {

class Tdbmeter;

class StatusStrip : public QFrame {
public:
    explicit StatusStrip(QWidget* parent);

    Tdbmeter* VUAudio = nullptr;
    Tdbmeter* VUCpu = nullptr;
    QLabel* Static2 = nullptr;  // "Buffer Error"
    QLabel* Static3 = nullptr;  // "Recording"
};

}  // namespace moravel
