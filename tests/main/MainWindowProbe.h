#ifndef ORVANE_TESTS_MAINWINDOWPROBE_H
#define ORVANE_TESTS_MAINWINDOWPROBE_H

#include "mainwindow.h"

// A main window whose parts and start-up state the tests can reach directly.
class MainWindowProbe : public MainWindow
{
public:
    using MainWindow::MainWindow;

    using MainWindow::app_status_bar;
    using MainWindow::eventWidget;
    using MainWindow::freq_status_tb;
    using MainWindow::m_cmdLine;
    using MainWindow::m_monitor;
    using MainWindow::m_prefs;
    using MainWindow::quick_status_tb;
    using MainWindow::radio_status_tb;
    using MainWindow::toggle_mea_action;
    using MainWindow::tracking_status_tb;
    using MainWindow::update_status_timer;
};

#endif
