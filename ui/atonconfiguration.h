#ifndef ATONCONFIGURATION_H
#define ATONCONFIGURATION_H

#include <QStringList>
#include <QWidget>

class Model;

// Base of the configuration tabs.  A tab loads its widgets from a Model,
// stores them into a Model, and announces every user edit with Edited(this).
//
// Contract for subclasses: UpdateTabFromModel sets `updating` while it writes
// into the widgets, so that their change signals do not count as edits; the
// edit slots do nothing while `updating` is set, and otherwise announce the
// edit and store the tab into its own model (UpdateModelFromTab(nullptr)), so
// that the edit model always mirrors the widgets.
class AtoNConfiguration : public QWidget
{
    Q_OBJECT

public:
    // `model` is the edit model the tab works on; it is not owned and must not
    // be null (a null model is treated as an allocation failure).
    AtoNConfiguration(Model *model, QWidget *parent = nullptr);

    // Loads every widget from `model`; null means the tab's own model.
    virtual bool UpdateTabFromModel(Model *model) = 0;
    // Stores every widget value into `model`; null means the tab's own model.
    virtual bool UpdateModelFromTab(Model *model) = 0;

    // One line per field that holds text it cannot take, naming the field
    // and why: no send may go while there is one.
    virtual QStringList InputProblems() const { return QStringList(); }
    // Those of them whose text is not what the model holds (a value kept
    // from before stands in for it): no save may go while there is one.
    virtual QStringList UnheldInput() const { return QStringList(); }

    Model *GetModel() const { return model; }
    bool IsUpdating() const { return updating; }

signals:
    void Edited(QWidget *tab);

protected:
    // For the destructors of subclasses, before they free their form: the
    // widgets still emit while QWidget takes them down (a line edit losing the
    // focus reports editingFinished), and nothing may reach the tab's slots then.
    void DisconnectChildren();

    Model *model;
    bool updating = false;
};

#endif // ATONCONFIGURATION_H
