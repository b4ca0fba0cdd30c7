// Classes: persistent objects, components and their ownership, lists, string lists, streams,
// collections, threads, the class registry and component streaming.
//
// This header holds the object model every other unit stands on; the rest of Classes lives in
// the headers it includes at the end.
#pragma once

#include "SysUtils.h"
#include "WinScope.h"

#include <windows.h>
#include <objidl.h>

#include <functional>
#include <vector>

class TPersistent;

// Runs Work between Obj's BeginUpdate and EndUpdate; EndUpdate runs also when Work raises, and
// the exception goes on.
template <class T, class F>
void UpdateBlock(T& Obj, F&& Work)
{
    Obj.BeginUpdate();
    auto End = ScopeExit([&Obj] { Obj.EndUpdate(); });
    Work();
}
class TComponent;
class TFiler;

enum TOperation { opInsert, opRemove };

enum class TComponentStateFlag {
    csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating,
    csFixups, csFreeNotification, csInline, csDesignInstance
};
using enum TComponentStateFlag;
using TComponentState = TSet<TComponentStateFlag>;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TLeftRight { lrLeft = 0, lrRight = 1 };  // subset of TAlignment, as the class library

enum class TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble, ssTouch, ssPen, ssCommand, ssHorizontal };
using enum TShiftStateFlag;
using TShiftState = TSet<TShiftStateFlag>;

// An object that can copy itself from another (Assign) and name its owner.
class TPersistent : public TObject {
    DECLARE_CLASS(TPersistent, TObject)
public:
    // Copies Source into this object; the default hands over to Source->AssignTo, and raises
    // EConvertError "Cannot assign a X to a Y" when neither side knows the other.
    virtual void Assign(TPersistent* Source);
    virtual TPersistent* GetOwner() { return nullptr; }
    virtual String GetNamePath();

protected:
    virtual void AssignTo(TPersistent* Dest);
    // Lets an object store values that are not published properties (stream "Data").
    virtual void DefineProperties(TFiler* Filer) {}

    friend class TFiler;
    friend class TReader;
    friend class TWriter;
};

// A persistent object that owns, and is owned by, other components. An owner frees the
// components it owns; FreeNotification links clear themselves when either side goes.
class TComponent : public TPersistent {
    DECLARE_CLASS(TComponent, TPersistent)
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    void BeforeDestruction() override;

    TComponent* GetOwner() override { return FOwner; }
    TComponent* Owner() const { return FOwner; }

    const String& GetName() const { return FName; }
    virtual void SetName(const String& NewName);
    NativeInt GetTag() const { return FTag; }
    void SetTag(NativeInt Value) { FTag = Value; }

    int ComponentCount() const { return int(FComponents.size()); }
    TComponent* Components(int Index) const;
    int GetComponentIndex() const;
    // The owned component of that name, compared as SameText does (ASCII case only), or null.
    TComponent* FindComponent(const String& AName) const;

    TComponentState GetComponentState() const { return FComponentState; }
    bool IsLoading() const { return FComponentState.Contains(csLoading); }
    bool IsDestroying() const { return FComponentState.Contains(csDestroying); }

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    void DestroyComponents();
    // Sets csDestroying on this component and on every component it owns.
    void Destroying();

    // Asks to be told (Notification opRemove) when AComponent is freed, and tells it likewise.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    String GetNamePath() override { return FName; }

    // Loading from a stored description: the reader sets csLoading, sets the properties, then
    // calls Loaded, which clears the flag.
    virtual void Loaded();
    void SetLoading(bool Value);
    void SetReading(bool Value);

    // Told of components inserted into or removed from this one's ownership, and of freed
    // components this one asked to hear about. The default passes the news on to every owned
    // component.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

protected:
    TComponentState FComponentState;

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void RemoveNotification(TComponent* AComponent);

    TComponent* FOwner = nullptr;
    String FName;
    NativeInt FTag = 0;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};

// Events with their sender first and "var" answers as references.
using TComponentEvent = std::function<void(TObject* Sender, TComponent* Component)>;

// ---- the rest of Classes ----------------------------------------------------------------------
#include "ClassesIntf.h"
#include "ClassesLists.h"
#include "ClassesStreams.h"
#include "ClassesCollections.h"
