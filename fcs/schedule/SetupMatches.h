#pragma once

#include "fcs/schedule/FileChooser.h"
#include "fcs/schedule/MatchFile.h"
#include "fcs/schedule/MatchTable.h"

#include <QDialog>
#include <QHash>
#include <functional>

class CMatchArray;
class CMatchListCtrl;
class MatchTableModel;
class QLabel;
class QPushButton;
class Prompt;

// "Setup Matches": edits a copy of the schedule; OK replaces the schedule
// with it, Cancel leaves the schedule as it was.
class CSetupMatches : public QDialog {
    Q_OBJECT

public:
    struct Services {
        Prompt& prompt;
        // Lengths and password that a configuration block in a loaded file replaces.
        MatchFileSettings& settings;
        // Scoring-server seam: Load From Server works only while this says so.
        std::function<bool()> integrationActive;
        // Fetches the server's "Matches.txt" into the local path; true on success.
        std::function<bool(const QString& localPath)> fetchServerMatches;
        // The local copy of the server's match file.
        QString serverMatchesPath;
    };

    CSetupMatches(CMatchArray& schedule, Services services, QWidget* parent = nullptr);
    ~CSetupMatches() override;

    QWidget* control(int id) const { return m_controls.value(id); }
    CMatchListCtrl& list() { return *m_list; }
    MatchTable& table() { return m_table; }
    bool modified() const { return m_table.modified; }
    int currentRow() const { return m_table.currentRow; }

    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void setFieldChooser(FieldAllocationChooser chooser) { m_chooseFields = std::move(chooser); }

    void OnLoadFromServer();
    void OnLoadFromFile();
    void OnSaveToFile();
    void OnAddMatch();
    void OnDeleteMatch();
    void OnSetCurrent();
    void OnRemoveAllMatches();
    void UpdateCommandStates();
    void ShowCurrentRow();

public slots:
    void accept() override;
    void reject() override;

private:
    void buildControls();
    void loadFile(const QString& path);
    FieldAllocation askFieldAllocation();

    CMatchArray& m_schedule;
    Services m_services;
    MatchTable m_table;
    MatchTableModel* m_model = nullptr;
    CMatchListCtrl* m_list = nullptr;
    QLabel* m_currentLabel = nullptr;
    QPushButton* m_addButton = nullptr;
    QHash<int, QWidget*> m_controls;
    FileChooser m_chooseFile = ChooseFileWithDialog;
    FieldAllocationChooser m_chooseFields;
};
