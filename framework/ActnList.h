// ActnList: actions, commands that several controls share. An action carries a caption, a checked
// state and a group index and fires OnExecute; a control linked to it through its Action property
// takes those values when linked and executes the action when clicked without an OnClick of its
// own. Later changes of the action reach a control only while the control still shows the action's
// value (the link's Is...Linked tests), so a control whose caption was changed by hand keeps it.
#pragma once

#include "Controls.h"

#include <vector>

class TBasicActionLink;
class TPropertyTable;

class TBasicAction : public TComponent {
    DECLARE_CLASS(TBasicAction, TComponent)
public:
    explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
    // The links still attached let go of the action.
    ~TBasicAction() override;

    // Fires OnExecute; false when there is none.
    virtual bool Execute();
    TNotifyEvent OnExecute;

    void RegisterChanges(TBasicActionLink* Link);
    void UnRegisterChanges(TBasicActionLink* Link);

protected:
    std::vector<TBasicActionLink*> FClients;
};

// An action with the values that controls show. Each setter first offers the new value to every
// link (which passes it on while its control shows the old one), then stores it.
class TCustomAction : public TBasicAction {
    DECLARE_CLASS(TCustomAction, TBasicAction)
public:
    explicit TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}

    const String& GetCaption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool GetChecked() const { return FChecked; }
    void SetChecked(bool Value);
    int GetGroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);

    static void RegisterProperties(TPropertyTable& Table);

private:
    String FCaption;
    bool FChecked = false;
    int FGroupIndex = 0;
};

class TAction : public TCustomAction {
    DECLARE_CLASS(TAction, TCustomAction)
public:
    explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

// The tie between an action and one client. It registers with the action it is given and
// unregisters when it goes or is given another. Made through the factory, it hands its client to
// AssignClient after construction, so that a derived link keeps it as its own client type.
class TBasicActionLink : public TObject {
    DECLARE_CLASS(TBasicActionLink, TObject)
public:
    explicit TBasicActionLink(TObject* AClient) : FInitialClient(AClient) {}
    ~TBasicActionLink() override;
    void AfterConstruction() override { AssignClient(FInitialClient); }

    TBasicAction* GetAction() const { return FAction; }
    void SetAction(TBasicAction* Value);
    // Executes the action; false without one.
    virtual bool Execute(TComponent* AComponent = nullptr);

protected:
    virtual void AssignClient(TObject* AClient) {}
    TBasicAction* FAction = nullptr;

private:
    TObject* FInitialClient;
    friend class TBasicAction;
};

class TActionLink : public TBasicActionLink {
    DECLARE_CLASS(TActionLink, TBasicActionLink)
public:
    using TBasicActionLink::TBasicActionLink;
    // Whether the client follows that value of the action: here, whether the action has it at
    // all (a custom action); clients narrow the test.
    virtual bool IsCaptionLinked();
    virtual bool IsCheckedLinked();
    virtual bool IsGroupIndexLinked();
    // The action's new values, offered before the action stores them; clients pass them on
    // while linked.
    virtual void SetCaption(const String& Value) {}
    virtual void SetChecked(bool Value) {}
    virtual void SetGroupIndex(int Value) {}

protected:
    TCustomAction* CustomAction() const;
};

// The link of a control: the caption follows the action while the control shows the action's
// caption.
class TControlActionLink : public TActionLink {
    DECLARE_CLASS(TControlActionLink, TActionLink)
public:
    explicit TControlActionLink(TControl* AClient) : TActionLink(AClient) {}

    bool IsCaptionLinked() override;
    void SetCaption(const String& Value) override;

protected:
    void AssignClient(TObject* AClient) override;
    TControl* FClient = nullptr;
};

// The link class of a control class: GetActionLinkClass answers ActionLinkClassOf<TTheLink>().
template <class T>
TControlActionLinkClass ActionLinkClassOf()
{
    return [](TControl* Client) -> TControlActionLink* { return Create<T>(Client); };
}

// Registers the action classes and their published properties. Runs once.
void RegisterActnList();
