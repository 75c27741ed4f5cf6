#pragma once

class QLabel;
class QMainWindow;

// Gives the window its status bar: the maker's address, and the message
// panel where everything said during play appears, which it returns.
QLabel* CreateStatusBar(QMainWindow& window);
