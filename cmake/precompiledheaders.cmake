# Precompiled Qt headers, for builds without a compiler cache (CI's fresh
# clone): most of a source's compile time goes into Qt's headers, and a test
# is a single source that reads all of Qt Test. With a compiler cache they
# gain little and cost much: the cache hashes the precompiled header, which
# differs between build folders, so no other checkout's objects would match.
#
# A precompiled header is only usable under the same macros, so each group of
# targets that sees the same Qt modules shares one: the core library, the
# widgets, and per kind of test the first test of that kind.

set(VANDREL_PCH_CORE <QByteArray> <QCoreApplication> <QDateTime> <QDebug> <QDir> <QFile>
    <QFileInfo> <QHash> <QList> <QMetaType> <QObject> <QPointer> <QRegularExpression>
    <QSharedPointer> <QString> <QStringList> <QTimer> <QVector>)
set(VANDREL_PCH_WIDGETS <QAction> <QApplication> <QCheckBox> <QComboBox> <QFileDialog>
    <QFormLayout> <QHBoxLayout> <QHeaderView> <QLabel> <QLineEdit> <QMenu> <QMessageBox>
    <QPainter> <QPushButton> <QScrollArea> <QStatusBar> <QTabWidget> <QTableView> <QToolButton>
    <QVBoxLayout> <QWidget>)
set(VANDREL_PCH_TEST <QtTest> <QJsonArray> <QJsonDocument> <QJsonObject> <QProcess> <QSignalSpy>
    <QTemporaryDir>)

function(vandrel_precompile_with target)
    target_precompile_headers(${target} ${ARGN})
    # Says so when a source cannot use the header it was given, instead of
    # silently reading the headers again.
    target_compile_options(${target} PRIVATE -Winvalid-pch)
endfunction()

function(vandrel_precompile_headers)
    vandrel_precompile_with(vandrelcore PRIVATE ${VANDREL_PCH_CORE})
    # (Not the register: the core library links it, and may not wait for it.)
    foreach(user vandrelfleet vandrel-cli)
        if(TARGET ${user})
            vandrel_precompile_with(${user} REUSE_FROM vandrelcore)
        endif()
    endforeach()
    if(TARGET vandrelui)
        vandrel_precompile_with(vandrelui PRIVATE ${VANDREL_PCH_CORE} ${VANDREL_PCH_WIDGETS})
    endif()

    # A test is one source: its header pays only when others share it.
    file(GLOB sources ${CMAKE_SOURCE_DIR}/tests/tst_*.cpp)
    set(kinds)
    foreach(src ${sources})
        get_filename_component(name ${src} NAME_WE)
        if(NOT TARGET ${name})
            continue()
        endif()
        if(name MATCHES "^tst_ui_")
            set(kind ui)
        elseif(name MATCHES "^tst_unitsim")
            set(kind unitsim)
        elseif(name MATCHES "^tst_fleet")
            set(kind fleet)
        else()
            set(kind core)
        endif()
        list(APPEND kinds ${kind})
        list(APPEND tests_${kind} ${name})
    endforeach()
    list(REMOVE_DUPLICATES kinds)
    foreach(kind ${kinds})
        list(LENGTH tests_${kind} count)
        if(count LESS 2)
            continue()
        endif()
        set(headers ${VANDREL_PCH_CORE} ${VANDREL_PCH_TEST})
        if(kind STREQUAL "ui")
            list(APPEND headers ${VANDREL_PCH_WIDGETS})
        endif()
        list(POP_FRONT tests_${kind} donor)
        vandrel_precompile_with(${donor} PRIVATE ${headers})
        foreach(name ${tests_${kind}})
            vandrel_precompile_with(${name} REUSE_FROM ${donor})
        endforeach()
    endforeach()
endfunction()
