#include "ImageBytes.h"

#include "framework/PngImage.h"

Bytes StreamBytes(TStream* S)
{
    Bytes B(size_t(S->GetSize()));
    S->SetPosition(0);
    if (!B.empty()) S->Read(B.data(), Integer(B.size()));
    return B;
}

std::unique_ptr<TBitmap> SolidBitmap(int W, int H, TColor Fill)
{
    std::unique_ptr<TBitmap> Bmp(Create<TBitmap>());
    Bmp->SetPixelFormat(pf24bit);
    Bmp->SetSize(W, H);
    Bmp->GetCanvas()->GetBrush()->SetColor(Fill);
    Bmp->GetCanvas()->FillRect(TRect{0, 0, W, H});
    return Bmp;
}

Bytes PngBytes(int W, int H, TColor Fill)
{
    std::unique_ptr<TPngImage> Png(Create<TPngImage>());
    Png->Assign(SolidBitmap(W, H, Fill).get());
    std::unique_ptr<TMemoryStream> S(new TMemoryStream());
    Png->SaveToStream(S.get());
    return StreamBytes(S.get());
}
