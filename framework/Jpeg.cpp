// Jpeg: JPEG decoding and encoding over the IJG library, and the JPEG graphic.
#include "Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The library was built with an unsigned char boolean, as the platform has it; a name of our own
// keeps the two declarations apart.
typedef unsigned char jpeg_boolean;
#define boolean jpeg_boolean
extern "C" {
#include <jpeglib.h>
}
#undef boolean

namespace {

constexpr Int64 MaxJpegPixels = Int64(1) << 26;

struct TJpegError {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

extern "C" void JpegErrorExit(j_common_ptr Info)
{
    auto* E = reinterpret_cast<TJpegError*>(Info->err);
    Info->err->format_message(Info, E->Message);
    std::longjmp(E->Jump, 1);
}

extern "C" void JpegOutputMessage(j_common_ptr) {}

// A fresh library object whose errors jump back to the caller's setjmp with their message in E.
template <class TInfo>
void ReportErrorsTo(TInfo& Info, TJpegError& E)
{
    std::memset(&Info, 0, sizeof(Info));
    Info.err = jpeg_std_error(&E.Pub);
    E.Pub.error_exit = JpegErrorExit;
    E.Pub.output_message = JpegOutputMessage;
    E.Message[0] = 0;
}

// What the decoder hands back; plain data, so that a jump out of the library loses nothing.
struct TDecoded {
    int Width = 0;
    int Height = 0;
    unsigned char* Pixels = nullptr;   // rows of blue, green, red, malloc'ed
    size_t Stride = 0;
};

// Returns false with the library's message in Err. No C++ object with a destructor lives in this
// function, as the error path jumps out of the library back to the setjmp.
bool DecodeRaw(const unsigned char* Data, unsigned long Size, TDecoded* Out, char* Err)
{
    jpeg_decompress_struct Info;
    TJpegError E;
    ReportErrorsTo(Info, E);
    unsigned char* volatile Pixels = nullptr;
    unsigned char* volatile Row = nullptr;
    if (setjmp(E.Jump)) {
        std::memcpy(Err, E.Message, JMSG_LENGTH_MAX);
        Err[JMSG_LENGTH_MAX - 1] = 0;
        std::free(Pixels);
        std::free(Row);
        jpeg_destroy_decompress(&Info);
        return false;
    }
    jpeg_create_decompress(&Info);
    jpeg_mem_src(&Info, const_cast<unsigned char*>(Data), Size);
    jpeg_read_header(&Info, TRUE);
    if (Int64(Info.image_width) * Int64(Info.image_height) > MaxJpegPixels) {
        std::strcpy(Err, "image too large");
        jpeg_destroy_decompress(&Info);
        return false;
    }
    // Colour images come out as RGB, grey ones as grey; CMYK is turned to RGB below.
    if (Info.jpeg_color_space == JCS_CMYK || Info.jpeg_color_space == JCS_YCCK)
        Info.out_color_space = JCS_CMYK;
    else if (Info.jpeg_color_space == JCS_GRAYSCALE)
        Info.out_color_space = JCS_GRAYSCALE;
    else
        Info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&Info);
    int W = int(Info.output_width), H = int(Info.output_height), C = Info.output_components;
    size_t Stride = ((size_t(W) * 3 + 3) / 4) * 4;
    Pixels = static_cast<unsigned char*>(std::calloc(Stride * size_t(H), 1));
    Row = static_cast<unsigned char*>(std::malloc(size_t(W) * size_t(C)));
    if (!Pixels || !Row) {
        std::free(Pixels);
        std::free(Row);
        std::strcpy(Err, "out of memory");
        jpeg_destroy_decompress(&Info);
        return false;
    }
    while (Info.output_scanline < Info.output_height) {
        unsigned char* Rows[1] = {Row};
        int Y = int(Info.output_scanline);
        if (jpeg_read_scanlines(&Info, Rows, 1) != 1) break;
        unsigned char* D = Pixels + size_t(Y) * Stride;
        for (int X = 0; X < W; ++X, D += 3) {
            const unsigned char* S = Row + size_t(X) * size_t(C);
            if (C == 1) {
                D[0] = D[1] = D[2] = S[0];
            } else if (C == 4) {   // Adobe CMYK is stored inverted
                unsigned K = S[3];
                D[0] = (unsigned char)(S[2] * K / 255);
                D[1] = (unsigned char)(S[1] * K / 255);
                D[2] = (unsigned char)(S[0] * K / 255);
            } else {
                D[0] = S[2];
                D[1] = S[1];
                D[2] = S[0];
            }
        }
    }
    jpeg_finish_decompress(&Info);
    jpeg_destroy_decompress(&Info);
    std::free(Row);
    Out->Width = W;
    Out->Height = H;
    Out->Pixels = Pixels;
    Out->Stride = Stride;
    return true;
}

// Compresses top-down rows of red, green, blue (or grey); false with the library's message.
bool EncodeRaw(const unsigned char* Rgb, int Width, int Height, int Components, int Quality,
               bool Progressive, unsigned char** OutData, unsigned long* OutSize, char* Err)
{
    jpeg_compress_struct Info;
    TJpegError E;
    ReportErrorsTo(Info, E);
    *OutData = nullptr;
    *OutSize = 0;
    if (setjmp(E.Jump)) {
        std::memcpy(Err, E.Message, JMSG_LENGTH_MAX);
        Err[JMSG_LENGTH_MAX - 1] = 0;
        jpeg_destroy_compress(&Info);
        std::free(*OutData);
        *OutData = nullptr;
        return false;
    }
    jpeg_create_compress(&Info);
    jpeg_mem_dest(&Info, OutData, OutSize);
    Info.image_width = JDIMENSION(Width);
    Info.image_height = JDIMENSION(Height);
    Info.input_components = Components;
    Info.in_color_space = Components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&Info);
    jpeg_set_quality(&Info, Quality, TRUE);
    if (Progressive) jpeg_simple_progression(&Info);
    jpeg_start_compress(&Info, TRUE);
    while (Info.next_scanline < Info.image_height) {
        JSAMPROW Rows[1] = {const_cast<unsigned char*>(Rgb) +
                            size_t(Info.next_scanline) * size_t(Width) * size_t(Components)};
        jpeg_write_scanlines(&Info, Rows, 1);
    }
    jpeg_finish_compress(&Info);
    jpeg_destroy_compress(&Info);
    return true;
}

String FromAnsi(const char* S)
{
    String R;
    for (; *S; ++S) R += wchar_t(static_cast<unsigned char>(*S));
    return R;
}

}  // namespace

TBitmap* DecodeJpeg(const Byte* Data, size_t Size)
{
    if (!Data || Size < 4 || Data[0] != 0xFF || Data[1] != 0xD8)
        throw EInvalidGraphic(Consts::SInvalidJpeg, {L"no start of image"});
    if (Size > 0x7FFFFFFF) throw EInvalidGraphic(Consts::SJpegTooLarge);
    TDecoded D;
    char Err[JMSG_LENGTH_MAX] = {};
    if (!DecodeRaw(Data, static_cast<unsigned long>(Size), &D, Err))
        throw EInvalidGraphic(Consts::SInvalidJpeg, {FromAnsi(Err)});
    std::unique_ptr<unsigned char, decltype(&std::free)> Keep(D.Pixels, &std::free);
    std::unique_ptr<TBitmap> B(Create<TBitmap>());
    B->SetPixelFormat(pf24bit);
    B->SetSize(D.Width, D.Height);
    for (int Y = 0; Y < D.Height; ++Y)
        std::memcpy(B->ScanLine(Y), D.Pixels + size_t(Y) * D.Stride, size_t(D.Width) * 3);
    return B.release();
}

std::vector<Byte> EncodeJpeg(TBitmap* Bitmap, int Quality, bool Grayscale, bool Progressive)
{
    if (!Bitmap || Bitmap->GetEmpty()) throw EInvalidGraphic(L"Cannot compress an empty image");
    std::unique_ptr<TBitmap> B(Create<TBitmap>());
    B->Assign(Bitmap);
    B->SetPixelFormat(pf24bit);
    int W = B->GetWidth(), H = B->GetHeight(), C = Grayscale ? 1 : 3;
    std::vector<Byte> Px(size_t(W) * size_t(H) * size_t(C));
    for (int Y = 0; Y < H; ++Y) {
        const Byte* S = static_cast<const Byte*>(B->ScanLine(Y));
        Byte* D = Px.data() + size_t(Y) * size_t(W) * size_t(C);
        for (int X = 0; X < W; ++X, S += 3) {
            if (Grayscale) {
                *D++ = Byte((S[2] * 299 + S[1] * 587 + S[0] * 114 + 500) / 1000);
            } else {
                *D++ = S[2];
                *D++ = S[1];
                *D++ = S[0];
            }
        }
    }
    unsigned char* Out = nullptr;
    unsigned long OutSize = 0;
    char Err[JMSG_LENGTH_MAX] = {};
    if (!EncodeRaw(Px.data(), W, H, C, std::clamp(Quality, 1, 100), Progressive, &Out, &OutSize, Err))
        throw EInvalidGraphic(L"JPEG compression failed: " + FromAnsi(Err));
    std::vector<Byte> Result(Out, Out + OutSize);
    std::free(Out);
    return Result;
}

// ---- TJPEGImage -------------------------------------------------------------------------------

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::LoadFromBytes(const Byte* Data, size_t Size)
{
    std::unique_ptr<TBitmap> B(DecodeJpeg(Data, Size));
    FData.assign(Data, Data + Size);
    FWidth = B->GetWidth();
    FHeight = B->GetHeight();
    FBitmap = std::move(B);
    Changed(this);
}

void TJPEGImage::LoadFromStream(TStream* Stream)
{
    Int64 Rest = Stream->GetSize() - Stream->GetPosition();
    if (Rest <= 0) throw EInvalidGraphic(Consts::SInvalidJpeg, {L"no data"});
    if (Rest > Int64(0x7FFFFFFF)) throw EInvalidGraphic(Consts::SJpegTooLarge);
    std::vector<Byte> Data(static_cast<size_t>(Rest));
    Stream->ReadBuffer(Data.data(), NativeInt(Data.size()));
    LoadFromBytes(Data.data(), Data.size());
}

void TJPEGImage::Compress()
{
    if (FData.empty() && FBitmap && !FBitmap->GetEmpty())
        FData = EncodeJpeg(FBitmap.get(), FQuality, FGrayscale, FProgressive);
}

void TJPEGImage::DIBNeeded()
{
    if (!FBitmap && !FData.empty()) FBitmap.reset(DecodeJpeg(FData.data(), FData.size()));
}

void TJPEGImage::SaveToStream(TStream* Stream)
{
    Compress();
    if (!FData.empty()) Stream->WriteBuffer(FData.data(), NativeInt(FData.size()));
}

void TJPEGImage::SetCompressionQuality(TJPEGQualityRange Value)
{
    Value = std::clamp(Value, 1, 100);
    if (Value == FQuality) return;
    FQuality = Value;
    // Bytes not made from a bitmap here stay as read; the quality applies to the next compression.
}

void TJPEGImage::SetGrayscale(bool Value)
{
    if (Value == FGrayscale) return;
    FGrayscale = Value;
    Changed(this);
}

void TJPEGImage::SetWidth(int)
{
    throw EInvalidGraphicOperation(Consts::SJpegFixedSize);
}

void TJPEGImage::SetHeight(int)
{
    throw EInvalidGraphicOperation(Consts::SJpegFixedSize);
}

void TJPEGImage::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    DIBNeeded();
    if (FBitmap) FBitmap->Draw(ACanvas, Rect);
}

void TJPEGImage::Assign(TPersistent* Source)
{
    if (!Source) {
        FData.clear();
        FBitmap.reset();
        FWidth = FHeight = 0;
        Changed(this);
    } else if (auto* J = dynamic_cast<TJPEGImage*>(Source)) {
        if (J == this) return;
        J->Compress();
        FData = J->FData;
        FBitmap.reset();
        if (J->FBitmap) {
            FBitmap.reset(Create<TBitmap>());
            FBitmap->Assign(J->FBitmap.get());
        }
        FWidth = J->FWidth;
        FHeight = J->FHeight;
        FQuality = J->FQuality;
        FGrayscale = J->FGrayscale;
        FProgressive = J->FProgressive;
        Changed(this);
    } else if (auto* G = dynamic_cast<TGraphic*>(Source)) {
        // A bitmap (or any graphic drawn on one), compressed when the bytes are wanted.
        std::unique_ptr<TBitmap> B(Create<TBitmap>());
        B->Assign(G);
        B->SetPixelFormat(pf24bit);
        FData.clear();
        FWidth = B->GetWidth();
        FHeight = B->GetHeight();
        FBitmap = B->GetEmpty() ? nullptr : std::move(B);
        Changed(this);
    } else {
        inherited::Assign(Source);
    }
}

void TJPEGImage::AssignTo(TPersistent* Dest)
{
    if (auto* B = dynamic_cast<TBitmap*>(Dest)) {
        DIBNeeded();
        B->Assign(FBitmap.get());
        return;
    }
    inherited::AssignTo(Dest);
}
