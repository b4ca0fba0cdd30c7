// QorSharedGraphic: a picture read once and shared by every copy. The image picker copies its
// entries into its popup list each time the popup opens; with pictures held this way a copy
// shares the file's bytes and the decoded image instead of decoding them again.
//
// The bytes are checked by decoding them once when read; the decoded image is made again on the
// first draw and let go when many others were decoded since, so that ten thousand pictures never
// hold ten thousand bitmaps at once.
#pragma once

#include "framework/Graphics.h"

#include <memory>
#include <vector>

class TSharedGraphic : public TGraphic {
    DECLARE_CLASS(TSharedGraphic, TGraphic)
public:
    TSharedGraphic() = default;
    ~TSharedGraphic() override;

    // Another shared graphic: shares its picture. Any other graphic: keeps a copy of it (shared by
    // the copies made from this one). nil: empty.
    void Assign(TPersistent* Source) override;
    // A picture file's bytes, recognised by their first bytes (BMP, ICO, PNG, JPEG), else by
    // Extension; bad data raises EInvalidGraphic and leaves the graphic as it was.
    void LoadFromBytes(std::vector<Byte> Bytes, const String& Extension = L"");

    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    bool GetEmpty() const override { return !FData; }
    int GetWidth() const override;
    int GetHeight() const override;
    // A shared picture is not resized in place: EInvalidGraphicOperation.
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;
    // By the data's first bytes; writes the bytes read (or the copied graphic's own form).
    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    TGraphic* NewEmpty() const override;
    // Whether two graphics hold one picture.
    bool SharesWith(const TSharedGraphic& Other) const { return FData && FData == Other.FData; }
    // The decoded picture now (made when needed); nil when empty or when it cannot be made.
    TGraphic* Decoded() const;

    // At most this many pictures stay decoded at once (the oldest decoded are let go first).
    static constexpr size_t DecodedLimit = 256;
    // How many pictures are decoded at this moment (for tests).
    static size_t DecodedCount();

    struct TData;

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    std::shared_ptr<TData> FData;
};
