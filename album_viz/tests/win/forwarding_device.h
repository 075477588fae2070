#pragma once
// A device that passes every call on to a real one, for tests that change what a few calls
// answer (a lost device, a refused validation). Written out from the IDirect3DDevice8 declaration.
// clang-format off
#include <windows.h>
#include <d3d8.h>

namespace tevaro::album::test {

class ForwardingDevice : public IDirect3DDevice8 {
public:
    explicit ForwardingDevice(IDirect3DDevice8* inner) : inner_(inner) {}
    virtual ~ForwardingDevice() { inner_->Release(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) override { return inner_->QueryInterface(riid, ppvObject); }
    HRESULT STDMETHODCALLTYPE TestCooperativeLevel() override { return inner_->TestCooperativeLevel(); }
    UINT STDMETHODCALLTYPE GetAvailableTextureMem() override { return inner_->GetAvailableTextureMem(); }
    HRESULT STDMETHODCALLTYPE ResourceManagerDiscardBytes(DWORD  Bytes) override { return inner_->ResourceManagerDiscardBytes(Bytes); }
    HRESULT STDMETHODCALLTYPE GetDirect3D(IDirect3D8 ** ppD3D8) override { return inner_->GetDirect3D(ppD3D8); }
    HRESULT STDMETHODCALLTYPE GetDeviceCaps(D3DCAPS8 * pCaps) override { return inner_->GetDeviceCaps(pCaps); }
    HRESULT STDMETHODCALLTYPE GetDisplayMode(D3DDISPLAYMODE * pMode) override { return inner_->GetDisplayMode(pMode); }
    HRESULT STDMETHODCALLTYPE GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS  * pParameters) override { return inner_->GetCreationParameters(pParameters); }
    HRESULT STDMETHODCALLTYPE SetCursorProperties(UINT  XHotSpot, UINT  YHotSpot, IDirect3DSurface8 * pCursorBitmap) override { return inner_->SetCursorProperties(XHotSpot, YHotSpot, pCursorBitmap); }
    void STDMETHODCALLTYPE SetCursorPosition(UINT  XScreenSpace, UINT  YScreenSpace,DWORD  Flags) override { inner_->SetCursorPosition(XScreenSpace, YScreenSpace, Flags); }
    WINBOOL STDMETHODCALLTYPE ShowCursor(WINBOOL  bShow) override { return inner_->ShowCursor(bShow); }
    HRESULT STDMETHODCALLTYPE CreateAdditionalSwapChain(D3DPRESENT_PARAMETERS * pPresentationParameters, IDirect3DSwapChain8 ** pSwapChain) override { return inner_->CreateAdditionalSwapChain(pPresentationParameters, pSwapChain); }
    HRESULT STDMETHODCALLTYPE Reset(D3DPRESENT_PARAMETERS * pPresentationParameters) override { return inner_->Reset(pPresentationParameters); }
    HRESULT STDMETHODCALLTYPE Present(const RECT *src_rect, const RECT *dst_rect, HWND dst_window_override, const RGNDATA *dirty_region) override { return inner_->Present(src_rect, dst_rect, dst_window_override, dirty_region); }
    HRESULT STDMETHODCALLTYPE GetBackBuffer(UINT  BackBuffer,D3DBACKBUFFER_TYPE  Type,IDirect3DSurface8 ** ppBackBuffer) override { return inner_->GetBackBuffer(BackBuffer, Type, ppBackBuffer); }
    HRESULT STDMETHODCALLTYPE GetRasterStatus(D3DRASTER_STATUS * pRasterStatus) override { return inner_->GetRasterStatus(pRasterStatus); }
    void STDMETHODCALLTYPE SetGammaRamp(DWORD flags, const D3DGAMMARAMP *ramp) override { inner_->SetGammaRamp(flags, ramp); }
    void STDMETHODCALLTYPE GetGammaRamp(D3DGAMMARAMP * pRamp) override { inner_->GetGammaRamp(pRamp); }
    HRESULT STDMETHODCALLTYPE CreateTexture(UINT  Width,UINT  Height,UINT  Levels,DWORD  Usage,D3DFORMAT  Format,D3DPOOL  Pool,IDirect3DTexture8 ** ppTexture) override { return inner_->CreateTexture(Width, Height, Levels, Usage, Format, Pool, ppTexture); }
    HRESULT STDMETHODCALLTYPE CreateVolumeTexture(UINT  Width,UINT  Height,UINT  Depth,UINT  Levels,DWORD  Usage,D3DFORMAT  Format,D3DPOOL  Pool,IDirect3DVolumeTexture8 ** ppVolumeTexture) override { return inner_->CreateVolumeTexture(Width, Height, Depth, Levels, Usage, Format, Pool, ppVolumeTexture); }
    HRESULT STDMETHODCALLTYPE CreateCubeTexture(UINT  EdgeLength,UINT  Levels,DWORD  Usage,D3DFORMAT  Format,D3DPOOL  Pool,IDirect3DCubeTexture8 ** ppCubeTexture) override { return inner_->CreateCubeTexture(EdgeLength, Levels, Usage, Format, Pool, ppCubeTexture); }
    HRESULT STDMETHODCALLTYPE CreateVertexBuffer(UINT  Length,DWORD  Usage,DWORD  FVF,D3DPOOL  Pool,IDirect3DVertexBuffer8 ** ppVertexBuffer) override { return inner_->CreateVertexBuffer(Length, Usage, FVF, Pool, ppVertexBuffer); }
    HRESULT STDMETHODCALLTYPE CreateIndexBuffer(UINT  Length,DWORD  Usage,D3DFORMAT  Format,D3DPOOL  Pool,IDirect3DIndexBuffer8 ** ppIndexBuffer) override { return inner_->CreateIndexBuffer(Length, Usage, Format, Pool, ppIndexBuffer); }
    HRESULT STDMETHODCALLTYPE CreateRenderTarget(UINT  Width,UINT  Height,D3DFORMAT  Format,D3DMULTISAMPLE_TYPE  MultiSample,WINBOOL  Lockable,IDirect3DSurface8 ** ppSurface) override { return inner_->CreateRenderTarget(Width, Height, Format, MultiSample, Lockable, ppSurface); }
    HRESULT STDMETHODCALLTYPE CreateDepthStencilSurface(UINT  Width,UINT  Height,D3DFORMAT  Format,D3DMULTISAMPLE_TYPE  MultiSample,IDirect3DSurface8 ** ppSurface) override { return inner_->CreateDepthStencilSurface(Width, Height, Format, MultiSample, ppSurface); }
    HRESULT STDMETHODCALLTYPE CreateImageSurface(UINT  Width,UINT  Height,D3DFORMAT  Format,IDirect3DSurface8 ** ppSurface) override { return inner_->CreateImageSurface(Width, Height, Format, ppSurface); }
    HRESULT STDMETHODCALLTYPE CopyRects(IDirect3DSurface8 *src_surface, const RECT *src_rects, UINT rect_count, IDirect3DSurface8 *dst_surface, const POINT *dst_points) override { return inner_->CopyRects(src_surface, src_rects, rect_count, dst_surface, dst_points); }
    HRESULT STDMETHODCALLTYPE UpdateTexture(IDirect3DBaseTexture8 * pSourceTexture,IDirect3DBaseTexture8 * pDestinationTexture) override { return inner_->UpdateTexture(pSourceTexture, pDestinationTexture); }
    HRESULT STDMETHODCALLTYPE GetFrontBuffer(IDirect3DSurface8 * pDestSurface) override { return inner_->GetFrontBuffer(pDestSurface); }
    HRESULT STDMETHODCALLTYPE SetRenderTarget(IDirect3DSurface8 * pRenderTarget,IDirect3DSurface8 * pNewZStencil) override { return inner_->SetRenderTarget(pRenderTarget, pNewZStencil); }
    HRESULT STDMETHODCALLTYPE GetRenderTarget(IDirect3DSurface8 ** ppRenderTarget) override { return inner_->GetRenderTarget(ppRenderTarget); }
    HRESULT STDMETHODCALLTYPE GetDepthStencilSurface(IDirect3DSurface8 ** ppZStencilSurface) override { return inner_->GetDepthStencilSurface(ppZStencilSurface); }
    HRESULT STDMETHODCALLTYPE BeginScene() override { return inner_->BeginScene(); }
    HRESULT STDMETHODCALLTYPE EndScene() override { return inner_->EndScene(); }
    HRESULT STDMETHODCALLTYPE Clear(DWORD rect_count, const D3DRECT *rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) override { return inner_->Clear(rect_count, rects, flags, color, z, stencil); }
    HRESULT STDMETHODCALLTYPE SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX *matrix) override { return inner_->SetTransform(state, matrix); }
    HRESULT STDMETHODCALLTYPE GetTransform(D3DTRANSFORMSTATETYPE  State,D3DMATRIX * pMatrix) override { return inner_->GetTransform(State, pMatrix); }
    HRESULT STDMETHODCALLTYPE MultiplyTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX *matrix) override { return inner_->MultiplyTransform(state, matrix); }
    HRESULT STDMETHODCALLTYPE SetViewport(const D3DVIEWPORT8 *viewport) override { return inner_->SetViewport(viewport); }
    HRESULT STDMETHODCALLTYPE GetViewport(D3DVIEWPORT8 * pViewport) override { return inner_->GetViewport(pViewport); }
    HRESULT STDMETHODCALLTYPE SetMaterial(const D3DMATERIAL8 *material) override { return inner_->SetMaterial(material); }
    HRESULT STDMETHODCALLTYPE GetMaterial(D3DMATERIAL8 *pMaterial) override { return inner_->GetMaterial(pMaterial); }
    HRESULT STDMETHODCALLTYPE SetLight(DWORD index, const D3DLIGHT8 *light) override { return inner_->SetLight(index, light); }
    HRESULT STDMETHODCALLTYPE GetLight(DWORD  Index,D3DLIGHT8 * pLight) override { return inner_->GetLight(Index, pLight); }
    HRESULT STDMETHODCALLTYPE LightEnable(DWORD  Index,WINBOOL  Enable) override { return inner_->LightEnable(Index, Enable); }
    HRESULT STDMETHODCALLTYPE GetLightEnable(DWORD  Index,WINBOOL * pEnable) override { return inner_->GetLightEnable(Index, pEnable); }
    HRESULT STDMETHODCALLTYPE SetClipPlane(DWORD index, const float *plane) override { return inner_->SetClipPlane(index, plane); }
    HRESULT STDMETHODCALLTYPE GetClipPlane(DWORD  Index,float * pPlane) override { return inner_->GetClipPlane(Index, pPlane); }
    HRESULT STDMETHODCALLTYPE SetRenderState(D3DRENDERSTATETYPE  State,DWORD  Value) override { return inner_->SetRenderState(State, Value); }
    HRESULT STDMETHODCALLTYPE GetRenderState(D3DRENDERSTATETYPE  State,DWORD * pValue) override { return inner_->GetRenderState(State, pValue); }
    HRESULT STDMETHODCALLTYPE BeginStateBlock() override { return inner_->BeginStateBlock(); }
    HRESULT STDMETHODCALLTYPE EndStateBlock(DWORD * pToken) override { return inner_->EndStateBlock(pToken); }
    HRESULT STDMETHODCALLTYPE ApplyStateBlock(DWORD  Token) override { return inner_->ApplyStateBlock(Token); }
    HRESULT STDMETHODCALLTYPE CaptureStateBlock(DWORD  Token) override { return inner_->CaptureStateBlock(Token); }
    HRESULT STDMETHODCALLTYPE DeleteStateBlock(DWORD  Token) override { return inner_->DeleteStateBlock(Token); }
    HRESULT STDMETHODCALLTYPE CreateStateBlock(D3DSTATEBLOCKTYPE  Type,DWORD * pToken) override { return inner_->CreateStateBlock(Type, pToken); }
    HRESULT STDMETHODCALLTYPE SetClipStatus(const D3DCLIPSTATUS8 *clip_status) override { return inner_->SetClipStatus(clip_status); }
    HRESULT STDMETHODCALLTYPE GetClipStatus(D3DCLIPSTATUS8 * pClipStatus) override { return inner_->GetClipStatus(pClipStatus); }
    HRESULT STDMETHODCALLTYPE GetTexture(DWORD  Stage,IDirect3DBaseTexture8 ** ppTexture) override { return inner_->GetTexture(Stage, ppTexture); }
    HRESULT STDMETHODCALLTYPE SetTexture(DWORD  Stage,IDirect3DBaseTexture8 * pTexture) override { return inner_->SetTexture(Stage, pTexture); }
    HRESULT STDMETHODCALLTYPE GetTextureStageState(DWORD  Stage,D3DTEXTURESTAGESTATETYPE  Type,DWORD * pValue) override { return inner_->GetTextureStageState(Stage, Type, pValue); }
    HRESULT STDMETHODCALLTYPE SetTextureStageState(DWORD  Stage,D3DTEXTURESTAGESTATETYPE  Type,DWORD  Value) override { return inner_->SetTextureStageState(Stage, Type, Value); }
    HRESULT STDMETHODCALLTYPE ValidateDevice(DWORD * pNumPasses) override { return inner_->ValidateDevice(pNumPasses); }
    HRESULT STDMETHODCALLTYPE GetInfo(DWORD  DevInfoID,void * pDevInfoStruct,DWORD  DevInfoStructSize) override { return inner_->GetInfo(DevInfoID, pDevInfoStruct, DevInfoStructSize); }
    HRESULT STDMETHODCALLTYPE SetPaletteEntries(UINT palette_idx, const PALETTEENTRY *entries) override { return inner_->SetPaletteEntries(palette_idx, entries); }
    HRESULT STDMETHODCALLTYPE GetPaletteEntries(UINT  PaletteNumber,PALETTEENTRY * pEntries) override { return inner_->GetPaletteEntries(PaletteNumber, pEntries); }
    HRESULT STDMETHODCALLTYPE SetCurrentTexturePalette(UINT  PaletteNumber) override { return inner_->SetCurrentTexturePalette(PaletteNumber); }
    HRESULT STDMETHODCALLTYPE GetCurrentTexturePalette(UINT  * PaletteNumber) override { return inner_->GetCurrentTexturePalette(PaletteNumber); }
    HRESULT STDMETHODCALLTYPE DrawPrimitive(D3DPRIMITIVETYPE  PrimitiveType,UINT  StartVertex,UINT  PrimitiveCount) override { return inner_->DrawPrimitive(PrimitiveType, StartVertex, PrimitiveCount); }
    HRESULT STDMETHODCALLTYPE DrawIndexedPrimitive(D3DPRIMITIVETYPE  PrimitiveType,UINT  minIndex,UINT  NumVertices,UINT  startIndex,UINT  primCount) override { return inner_->DrawIndexedPrimitive(PrimitiveType, minIndex, NumVertices, startIndex, primCount); }
    HRESULT STDMETHODCALLTYPE DrawPrimitiveUP(D3DPRIMITIVETYPE primitive_type, UINT primitive_count, const void *data, UINT stride) override { return inner_->DrawPrimitiveUP(primitive_type, primitive_count, data, stride); }
    HRESULT STDMETHODCALLTYPE DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE primitive_type, UINT min_vertex_idx, UINT vertex_count, UINT primitive_count, const void *index_data, D3DFORMAT index_format, const void *data, UINT stride) override { return inner_->DrawIndexedPrimitiveUP(primitive_type, min_vertex_idx, vertex_count, primitive_count, index_data, index_format, data, stride); }
    HRESULT STDMETHODCALLTYPE ProcessVertices(UINT  SrcStartIndex,UINT  DestIndex,UINT  VertexCount,IDirect3DVertexBuffer8 * pDestBuffer,DWORD  Flags) override { return inner_->ProcessVertices(SrcStartIndex, DestIndex, VertexCount, pDestBuffer, Flags); }
    HRESULT STDMETHODCALLTYPE CreateVertexShader(const DWORD *declaration, const DWORD *byte_code, DWORD *shader, DWORD usage) override { return inner_->CreateVertexShader(declaration, byte_code, shader, usage); }
    HRESULT STDMETHODCALLTYPE SetVertexShader(DWORD  Handle) override { return inner_->SetVertexShader(Handle); }
    HRESULT STDMETHODCALLTYPE GetVertexShader(DWORD * pHandle) override { return inner_->GetVertexShader(pHandle); }
    HRESULT STDMETHODCALLTYPE DeleteVertexShader(DWORD  Handle) override { return inner_->DeleteVertexShader(Handle); }
    HRESULT STDMETHODCALLTYPE SetVertexShaderConstant(DWORD reg_idx, const void *data, DWORD count) override { return inner_->SetVertexShaderConstant(reg_idx, data, count); }
    HRESULT STDMETHODCALLTYPE GetVertexShaderConstant(DWORD  Register,void * pConstantData,DWORD  ConstantCount) override { return inner_->GetVertexShaderConstant(Register, pConstantData, ConstantCount); }
    HRESULT STDMETHODCALLTYPE GetVertexShaderDeclaration(DWORD  Handle,void * pData,DWORD * pSizeOfData) override { return inner_->GetVertexShaderDeclaration(Handle, pData, pSizeOfData); }
    HRESULT STDMETHODCALLTYPE GetVertexShaderFunction(DWORD  Handle,void * pData,DWORD * pSizeOfData) override { return inner_->GetVertexShaderFunction(Handle, pData, pSizeOfData); }
    HRESULT STDMETHODCALLTYPE SetStreamSource(UINT  StreamNumber,IDirect3DVertexBuffer8 * pStreamData,UINT  Stride) override { return inner_->SetStreamSource(StreamNumber, pStreamData, Stride); }
    HRESULT STDMETHODCALLTYPE GetStreamSource(UINT  StreamNumber,IDirect3DVertexBuffer8 ** ppStreamData,UINT * pStride) override { return inner_->GetStreamSource(StreamNumber, ppStreamData, pStride); }
    HRESULT STDMETHODCALLTYPE SetIndices(IDirect3DIndexBuffer8 * pIndexData,UINT  BaseVertexIndex) override { return inner_->SetIndices(pIndexData, BaseVertexIndex); }
    HRESULT STDMETHODCALLTYPE GetIndices(IDirect3DIndexBuffer8 ** ppIndexData,UINT * pBaseVertexIndex) override { return inner_->GetIndices(ppIndexData, pBaseVertexIndex); }
    HRESULT STDMETHODCALLTYPE CreatePixelShader(const DWORD *byte_code, DWORD *shader) override { return inner_->CreatePixelShader(byte_code, shader); }
    HRESULT STDMETHODCALLTYPE SetPixelShader(DWORD  Handle) override { return inner_->SetPixelShader(Handle); }
    HRESULT STDMETHODCALLTYPE GetPixelShader(DWORD * pHandle) override { return inner_->GetPixelShader(pHandle); }
    HRESULT STDMETHODCALLTYPE DeletePixelShader(DWORD  Handle) override { return inner_->DeletePixelShader(Handle); }
    HRESULT STDMETHODCALLTYPE SetPixelShaderConstant(DWORD reg_idx, const void *data, DWORD count) override { return inner_->SetPixelShaderConstant(reg_idx, data, count); }
    HRESULT STDMETHODCALLTYPE GetPixelShaderConstant(DWORD  Register,void * pConstantData,DWORD  ConstantCount) override { return inner_->GetPixelShaderConstant(Register, pConstantData, ConstantCount); }
    HRESULT STDMETHODCALLTYPE GetPixelShaderFunction(DWORD  Handle,void * pData,DWORD * pSizeOfData) override { return inner_->GetPixelShaderFunction(Handle, pData, pSizeOfData); }
    HRESULT STDMETHODCALLTYPE DrawRectPatch(UINT handle, const float *segment_count, const D3DRECTPATCH_INFO *patch_info) override { return inner_->DrawRectPatch(handle, segment_count, patch_info); }
    HRESULT STDMETHODCALLTYPE DrawTriPatch(UINT handle, const float *segment_count, const D3DTRIPATCH_INFO *patch_info) override { return inner_->DrawTriPatch(handle, segment_count, patch_info); }
    HRESULT STDMETHODCALLTYPE DeletePatch(UINT  Handle) override { return inner_->DeletePatch(Handle); }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

protected:
    IDirect3DDevice8* inner_;
    ULONG refs_ = 1;
};

}  // namespace tevaro::album::test
// clang-format on
