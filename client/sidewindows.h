// The side windows of the program, created hidden at start and only shown and hidden after.
// Each is a plain window here; the parts that fill them add their contents.
#pragma once

#include <QWidget>

class SideWindow : public QWidget {
    Q_OBJECT
public:
    SideWindow(const char* name, const QString& title, QWidget* parent = nullptr);
};

class Ttallylist : public SideWindow {
    Q_OBJECT
public:
    explicit Ttallylist(QWidget* parent = nullptr);
};

class Tabout : public SideWindow {
    Q_OBJECT
public:
    explicit Tabout(QWidget* parent = nullptr);
};

class Thelp : public SideWindow {
    Q_OBJECT
public:
    explicit Thelp(QWidget* parent = nullptr);
};

class Tphrases : public SideWindow {
    Q_OBJECT
public:
    explicit Tphrases(QWidget* parent = nullptr);
};

class Tspylist : public SideWindow {
    Q_OBJECT
public:
    explicit Tspylist(QWidget* parent = nullptr);
};

class Tdownload : public SideWindow {
    Q_OBJECT
public:
    explicit Tdownload(QWidget* parent = nullptr);
};
