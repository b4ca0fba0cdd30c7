// Pictures for markup text: a graphic that keeps an image file's bytes and decodes them through
// GDI+ (with a frame model for animated GIF files), a cache of such pictures by source text, and
// a component holding named pictures that markup refers to by name.
#pragma once

#include "framework/Classes.h"
#include "framework/Graphics.h"

#include <cstdint>
#include <vector>

class TControl;
class THTMLPicture;

using TDownLoadErrorEvent = std::function<void(TObject* Sender, const String& Err)>;
using TDownLoadCompleteEvent = std::function<void(TObject* Sender)>;
using TDownLoadCancelEvent = std::function<void(TObject* Sender, bool& Cancel)>;
using TDownLoadProgressEvent = std::function<void(TObject* Sender, Cardinal dwSize, Cardinal dwTotSize)>;

// Started for a picture whose source is neither "RES://" nor "FILE://". Nothing is downloaded:
// the thread ends at once and frees itself.
class TDownLoadThread : public TThread {
    DECLARE_CLASS(TDownLoadThread, TThread)
public:
    explicit TDownLoadThread(THTMLPicture* AHTMLPicture);

    THTMLPicture* HTMLPicture;

protected:
    void Execute() override {}
};

// An image file's bytes, measured and drawn through GDI+. Drawing always fills the target
// rectangle; a GIF draws its first frame, while the frame model gives the current frame's place
// for callers that animate.
class THTMLPicture : public TGraphic {
    DECLARE_CLASS(THTMLPicture, TGraphic)
public:
    THTMLPicture();

    // Empties the picture and goes back to frame 1 first. Takes the bytes, Stretch, frame and ID
    // of another markup picture, the bytes of any other graphic (or of a picture holder's
    // graphic); nil, a holder without a graphic or a source that is no graphic leave it empty.
    void Assign(TPersistent* Source) override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    bool GetEmpty() const override { return FIsEmpty; }
    int GetHeight() const override { return FHeight; }
    int GetWidth() const override { return FWidth; }
    // Form data: the bytes, measured without OnChange.
    void ReadData(TStream* Stream) override;
    // The size is the image's own: these do nothing.
    void SetHeight(int) override {}
    void SetWidth(int) override {}
    void WriteData(TStream* Stream) override;
    // Never raises: a file that cannot be read leaves the picture empty.
    void LoadFromFile(const String& FileName) override;
    // The whole stream, from its start; nil does nothing.
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    void LoadFromClipboardFormat(Word, HANDLE, HPALETTE) override {}
    void SaveToClipboardFormat(Word&, HANDLE&, HPALETTE&) override {}
    TGraphic* NewEmpty() const override;

    // An RCDATA resource; a missing name does nothing, a missing number raises EResNotFound.
    void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
    void LoadFromResourceID(HINSTANCE Instance, int ResID);
    // "RES://name" (a resource of the program's own module, any letter case in the prefix) or
    // "FILE://path"; ID becomes the whole source. Any other source loads nothing.
    void LoadFromURL(const String& url);

    // The image size, unscaled.
    int GetMaxWidth() const { return FWidth; }
    int GetMaxHeight() const { return FHeight; }

    bool GetStretched() const { return FStretched; }
    void SetStretched(bool Value) { FStretched = Value; }
    bool GetBusy() const { return FThreadBusy; }
    bool GetAsynch() const { return FAsynch; }
    void SetAsynch(bool Value) { FAsynch = Value; }
    const String& GetID() const { return FID; }
    void SetID(const String& Value) { FID = Value; }
    const String& GetURL() const { return FURL; }
    bool GetIsDB() const { return FIsDB; }
    void SetIsDB(bool Value) { FIsDB = Value; }
    TMemoryStream* GetDatastream() const { return FDatastream.get(); }

    // GIF frame model. The data is a GIF file when it is longer than 4 bytes and starts "GIF8".
    bool IsGIFFile() const;
    bool GetIsGIF() const { return IsGIFFile(); }
    // The number of frames of a GIF file; -1 for anything else.
    int GetFrameCount();
    // The delay of frame i (from 1) in hundredths of a second; -1 when there is no such frame.
    int GetFrameTime(int i);
    int GetFrame() const { return FFrame; }
    // Stores the frame; with bytes, measures again and fires OnFrameChange.
    void SetFrame(int Value);
    // Next frame (after the last, frame 1) and previous frame (before frame 1, the last).
    void FrameNext();
    void FramePrev();
    // One animation step of a tenth of a second; true when the frame changed.
    bool Step();
    // Left, top, width and height of the current frame's image descriptor.
    Word GetFrameXPos() const { return FFrameXPos; }
    Word GetFrameYPos() const { return FFrameYPos; }
    Word GetFrameXSize() const { return FFrameXSize; }
    Word GetFrameYSize() const { return FFrameYSize; }
    // Transparency flag and disposal method of the frame whose time was asked for last.
    bool GetFrameTransp() const { return FFrameTransp; }
    Word GetFrameDisposal() const { return FFrameDisposal; }
    // The GIF logical screen size.
    Word GetAnimMaxX() const { return FAnimMaxX; }
    Word GetAnimMaxY() const { return FAnimMaxY; }

    TNotifyEvent OnFrameChange;
    // Declared for stored descriptions; nothing fires them.
    TDownLoadErrorEvent OnDownLoadError;
    TDownLoadCompleteEvent OnDownLoadComplete;
    TDownLoadCancelEvent OnDownLoadCancel;
    TDownLoadProgressEvent OnDownLoadProgress;

    static void RegisterProperties(TPropertyTable& Table);

private:
    TFreePtr<TMemoryStream> FDatastream;
    bool FIsEmpty = true;
    bool FStretched = false;
    void* gpPicture = nullptr;
    int FLogPixX = 96;
    int FLogPixY = 96;
    String FURL;
    String FID;
    int FHeight = 0;
    int FWidth = 0;
    bool FIsDB = false;
    bool FAsynch = true;
    bool FThreadBusy = false;
    int FFrame = 1;
    int FFrameCount = -1;
    Word FFrameXPos = 0;
    Word FFrameYPos = 0;
    Word FFrameXSize = 0;
    Word FFrameYSize = 0;
    bool FFrameTransp = false;
    Word FFrameDisposal = 0;
    Word FAnimMaxX = 0;
    Word FAnimMaxY = 0;
    int FNextCount = -1;
    int FTimerCount = -1;

    bool HasBytes() const;
    // Measures the bytes; false when they hold no image the decoder accepts.
    bool LoadPicture();
    // New bytes: the whole of Source from its start (nil: none). Forgets the old frame count.
    void TakeBytes(TStream* Source);
    void DoChange();
};

// Markup pictures by source text; the cache owns them.
class THTMLPictureCache : public TList {
    DECLARE_CLASS(THTMLPictureCache, TList)
public:
    THTMLPictureCache() = default;
    ~THTMLPictureCache() override;

    // A new empty picture, appended.
    THTMLPicture* AddPicture();
    // The first picture whose ID is exactly ID, or nil.
    THTMLPicture* FindPicture(const String& ID) const;
    void ClearPictures();
    void Clear() override { ClearPictures(); }
    THTMLPicture* GetPicture(int Index) const { return static_cast<THTMLPicture*>(Get(Index)); }
    // Puts Value in place of the picture at Index, which is freed; the cache owns Value.
    void SetPicture(int Index, THTMLPicture* Value);
    THTMLPicture* Items(int Index) const { return GetPicture(Index); }
    // One animation step of every picture; true when any changed frame.
    bool Animate();
};

// A named picture of a picture container.
class TPictureItem : public TCollectionItem {
    DECLARE_CLASS(TPictureItem, TCollectionItem)
public:
    explicit TPictureItem(TCollection* ACollection);
    void AfterConstruction() override;

    // Copies Name, Tag and the picture of another item.
    void Assign(TPersistent* Source) override;

    TGraphic* GetPicture() const { return FPicture.get(); }
    // Copies Value into the item's own picture.
    void SetPicture(TGraphic* Value);
    const String& GetName() const { return FName; }
    void SetName(const String& Value) { FName = Value; }
    NativeInt GetTag() const { return FTag; }
    void SetTag(NativeInt Value) { FTag = Value; }
    String GetDisplayName() const override;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    // Makes the item's picture: a markup picture.
    virtual TGraphic* CreatePicture();

private:
    TFreePtr<TGraphic> FPicture;
    NativeInt FTag = 0;
    String FName;
};

class TPictureCollection : public TOwnedCollection {
    DECLARE_CLASS(TPictureCollection, TOwnedCollection)
public:
    explicit TPictureCollection(TComponent* AOwner);

    TComponent* GetOwner() override { return FOwner; }
    TPictureItem* Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
    TPictureItem* Insert(int Index) { return static_cast<TPictureItem*>(TCollection::Insert(Index)); }
    TPictureItem* GetItem(int Index) const { return static_cast<TPictureItem*>(TCollection::GetItem(Index)); }
    // Assigns Value into the item at Index.
    void SetItem(int Index, TPictureItem* Value) { TCollection::SetItem(Index, Value); }
    TPictureItem* Items(int Index) const { return GetItem(Index); }
    TPictureItem* operator[](int Index) const { return GetItem(Index); }
    // One animation step of every item's picture; true when any changed frame.
    bool Animate();

protected:
    // The kind of item the collection makes: TPictureItem.
    virtual TCollectionItemFactory GetItemClass();
    TCollectionItem* CreateItem() override;

private:
    TComponent* FOwner;
};

// Named pictures for markup text; controls that show them register to be repainted on Changed.
class TPictureContainer : public TComponent {
    DECLARE_CLASS(TPictureContainer, TComponent)
public:
    explicit TPictureContainer(TComponent* AOwner);
    ~TPictureContainer() override;
    void AfterConstruction() override;

    // The picture of the first item whose name matches s (ASCII letters in any case), or nil.
    virtual TGraphic* FindPicture(const String& s);
    // A framework picture holding a copy of the named picture, or nil. The container owns it
    // until the next call or its own destruction; the previous result is freed.
    virtual TPicture* FindBitmap(const String& s);
    // Invalidates every registered control, in the order registered, then fires OnChange.
    virtual void Changed();
    virtual int GetVersionNr();
    String GetVersion();
    void SetVersion(const String&) {}

    // A control registered twice is in the list twice; a freed control is taken out.
    void RegisterControl(TControl* AControl);
    const std::vector<TControl*>& GetControls() const { return FControls; }

    TPictureCollection* GetItems() const { return FItems.get(); }
    // Copies Value's items into the container's collection.
    void SetItems(TPictureCollection* Value);

    void Notification(TComponent* AComponent, TOperation Operation) override;

    TNotifyEvent OnChange;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    virtual TPictureCollection* CreateItems();

private:
    std::vector<TControl*> FControls;
    TFreePtr<TPicture> FPicture;
    TFreePtr<TPictureCollection> FItems;
};

// Registers the picture classes and the container for stored descriptions. Safe to call more than
// once; making a container calls it.
void RegisterPictureContainerClasses();
