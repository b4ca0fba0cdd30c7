// QorImagePickerDropDown: a drop-down edit that shows the selected picture in its edit area and
// offers its Items in a popup item selector. An entry is a picture of its own (read, for example,
// from the picture files of a folder) or an index into the image list Images. The grid's image
// cell editor derives from it.
//
// Pictures are held as shared graphics (QorSharedGraphic.h): the copies the popup list takes each
// time it opens share the entries' pictures.
#pragma once

#include "pickers/QorListPickerDropDown.h"

class TPropertyTable;

class TImageItem : public TCollectionItem {
    DECLARE_CLASS(TImageItem, TCollectionItem)
public:
    explicit TImageItem(TCollection* ACollection);
    ~TImageItem() override;
    // From another image item: caption, image index, picture (shared), enabled flag and hint.
    void Assign(TPersistent* Source) override;

    const String& GetCaption() const { return FCaption; }
    // A different value tells the collection.
    void SetCaption(const String& Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TPicture* GetImage() const { return FImage; }
    // Copies the picture.
    void SetImage(TPicture* Value) { FImage->Assign(Value); }
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    const String& GetHint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    // Makes the picture a shared one (once), so that copies of it share it.
    void SharePicture();

    static void RegisterProperties(TPropertyTable& Table);

private:
    String FCaption;
    int FImageIndex = -1;
    bool FEnabled = true;
    TPicture* FImage;
    String FHint;
};

// Remembers its owner and raises OnChange when an item changes.
class TImageItems : public TCollection {
    DECLARE_CLASS(TImageItems, TCollection)
public:
    explicit TImageItems(TPersistent* AOwner);
    TPersistent* GetOwner() override { return FOwner; }
    TImageItem* Add() { return static_cast<TImageItem*>(TCollection::Add()); }
    TImageItem* Insert(int Index) { return static_cast<TImageItem*>(TCollection::Insert(Index)); }
    TImageItem* GetItems(int Index) const { return static_cast<TImageItem*>(GetItem(Index)); }
    void SetItems(int Index, TImageItem* Value) { SetItem(Index, Value); }

    TNotifyEvent OnChange;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TPersistent* FOwner;
};

class TQorImagePickerDropDown : public TQorListPickerDropDown {
    DECLARE_CLASS(TQorImagePickerDropDown, TQorListPickerDropDown)
public:
    explicit TQorImagePickerDropDown(TComponent* AOwner);
    ~TQorImagePickerDropDown() override;

    // Appends one entry per file that AFolder (a folder and a file mask; a folder alone, or one
    // ending in a separator, means all its files) matches, in the order the file system lists
    // them; folders are passed over. A file read as a picture gets it (and, with SetImageCaption,
    // its name as the caption); any other file gives an empty entry. Nothing raises.
    void AddImagesFromFolder(const String& AFolder, bool SetImageCaption);
    // One entry per image of Images, with ImageIndex 0 .. count - 1 (nothing without a list).
    void AddImagesFromImageList();
    // The selected entry's ImageIndex; -1 without a selection.
    int GetImageIndex() const;
    // Selects the first entry with that ImageIndex, or none.
    void SetImageIndex(int Value);

    // Nothing for the current index or one past the last entry (negatives: none); else stores
    // it, repaints and fires OnChange, then OnSelect.
    void SetItemIndex(int Value) override;
    TImageItems* GetItems() const { return FItems; }
    void SetItems(TImageItems* Value) { FItems->Assign(Value); }

    void WMPaint(TMessage& Message) override;

    TOnDrawSelectedItem OnDrawSelectedImage;
    QorDropDown::TDrawItemEvent OnDrawItem;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void UpdateDropDownSize() override;

    int EntryCount() const override { return FItems->GetCount(); }
    void AssignedItemsToItemSelector() override;
    const QorDropDown::TDrawItemEvent& ItemDrawEvent() const override { return OnDrawItem; }

    // The selected entry's picture or image, centred in the edit rectangle and clipped to it.
    void PaintImage();

private:
    TImageItems* FItems;
};

// Registers the picker's persistent classes for stored descriptions.
void RegisterQorImagePickerDropDownClasses();
