/*
 * BColorControl: picks a colour on four ramps (red, green, blue and grey)
 * drawn as cells; a click or drag on a ramp sets that component (grey sets
 * all three). The value is the colour packed as 0xRRGGBBAA.
 */
#ifndef _COLOR_CONTROL_H
#define _COLOR_CONTROL_H

#include <Control.h>

enum color_control_layout {
	B_CELLS_4x64 = 4,
	B_CELLS_8x32 = 8,
	B_CELLS_16x16 = 16,
	B_CELLS_32x8 = 32,
	B_CELLS_64x4 = 64
};

class BColorControl : public BControl {
public:
								BColorControl(BPoint start,
									color_control_layout layout,
									float cellSize, const char* name,
									BMessage* message = NULL,
									bool useOffscreen = false);
	virtual						~BColorControl();

	virtual	void				SetValue(int32 color);
			void				SetValue(rgb_color color);
			rgb_color			ValueAsColor();

	virtual	void				SetEnabled(bool enabled);
	virtual	void				AttachedToWindow();
	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);
	virtual	void				MouseUp(BPoint where);
	virtual	void				KeyDown(const char* bytes, int32 numBytes);
	virtual	void				GetPreferredSize(float* width, float* height);

	virtual	void				SetCellSize(float size);
			float				CellSize() const { return fCellSize; }
	virtual	void				SetLayout(color_control_layout layout);
			color_control_layout Layout() const
									{ return (color_control_layout)fColumns; }

	// Kit extension: the frame of ramp 0 (red) .. 3 (grey) in this view.
			BRect				RampFrame(int32 ramp) const;

private:
			void				_Layout();
			bool				_ValueAt(BPoint where, int32* ramp,
									uint8* level) const;
			void				_SetComponent(int32 ramp, uint8 level);
			bool				_Horizontal() const;
			float				_SidePanelWidth() const;

			float				fCellSize;
			int32				fColumns;
			int32				fRows;
			int32				fTrackingRamp;
			int32				fFocusRamp;
};

#endif	// _COLOR_CONTROL_H
