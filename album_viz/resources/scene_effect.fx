// The scene's effect: every element is one textured grid. The texture's alpha minus the vertex
// diffuse alpha (the element's fade) is its coverage; T0 adds the caustic map in a second stage,
// T1 adds it in a second pass for devices with one usable stage, T2 draws without caustics.

matrix mID;   // texture-coordinate transform; left as identity, the grid's coordinates are final
matrix mENV;
texture tFLR; // the element's picture
texture tCAU; // the caustic map
texture tENV;

technique T0
{
    pass P0
    {
        VertexShader = (XYZ | Normal | Diffuse | Tex1);
        Lighting = True;
        SpecularEnable = True;

        Texture[0] = <tFLR>;
        TextureTransform[0] = <mID>;
        TextureTransformFlags[0] = Count2;
        ColorOp[0] = SelectArg1;
        ColorArg1[0] = Texture;
        AlphaOp[0] = Subtract;
        AlphaArg1[0] = Texture;
        AlphaArg2[0] = Diffuse;
        MinFilter[0] = Linear;
        MagFilter[0] = Linear;
        MipFilter[0] = Point;

        Texture[1] = <tCAU>;
        TextureTransform[1] = <mID>;
        TextureTransformFlags[1] = Count2;
        ColorOp[1] = Add;
        ColorArg1[1] = Texture;
        ColorArg2[1] = Current;
        AlphaOp[1] = SelectArg2;
        AlphaArg2[1] = Current;
        MinFilter[1] = Linear;
        MagFilter[1] = Linear;
        MipFilter[1] = Point;

        ColorOp[2] = Disable;
        AlphaOp[2] = Disable;
    }
}

technique T1
{
    pass P0
    {
        VertexShader = (XYZ | Normal | Diffuse | Tex1);
        Lighting = True;
        SpecularEnable = True;

        Texture[0] = <tFLR>;
        TextureTransform[0] = <mID>;
        TextureTransformFlags[0] = Count2;
        ColorOp[0] = SelectArg1;
        ColorArg1[0] = Texture;
        AlphaOp[0] = Subtract;
        AlphaArg1[0] = Texture;
        AlphaArg2[0] = Diffuse;
        MinFilter[0] = Linear;
        MagFilter[0] = Linear;
        MipFilter[0] = Point;

        ColorOp[1] = Disable;
        AlphaOp[1] = Disable;
    }

    pass P1
    {
        DestBlend = One;

        Texture[0] = <tCAU>;
        ColorOp[0] = Add;
        ColorArg1[0] = Texture;
        ColorArg2[0] = Current;
        AlphaOp[0] = Subtract;
        AlphaArg1[0] = Current;
        AlphaArg2[0] = Diffuse;

        ColorOp[1] = Disable;
        AlphaOp[1] = Disable;
    }
}

technique T2
{
    pass P0
    {
        VertexShader = (XYZ | Normal | Diffuse | Tex1);
        Lighting = True;
        SpecularEnable = True;

        Texture[0] = <tFLR>;
        TextureTransform[0] = <mID>;
        TextureTransformFlags[0] = Count2;
        ColorOp[0] = SelectArg1;
        ColorArg1[0] = Texture;
        AlphaOp[0] = Subtract;
        AlphaArg1[0] = Texture;
        AlphaArg2[0] = Diffuse;
        MinFilter[0] = Linear;
        MagFilter[0] = Linear;
        MipFilter[0] = Point;

        ColorOp[1] = Disable;
        AlphaOp[1] = Disable;
    }
}
