#!/usr/bin/env python3
"""Writes the Qt Designer forms of the Wi-Fi car panels and the arm dialog:
resources/forms/tavo4wd_car_form_view.ui (template 345), pendrix_form_view.ui (349) and
dlg_manipulator.ui (348). The forms are plain .ui files; this script only saves typing the
XML of some hundred controls with their ids and captions. Run it from the repository root."""

from form_builder import Form, button, caption, edit, grid, group, hbox, label, lamp, slider, swatch, vbox

def video_area():
    # 320 by 240 dialog units of the original: about 480 by 360 pixels at the usual font.
    return {"class": "Korvane::CVideoArea", "name": "videoArea", "id": 1313,
            "props": [("minimumSize", "size", (480, 360)), ("frameShape", "enum", "QFrame::Box")]}


def raspberry_group(t, name="raspberryGroup"):
    return group(name, t["group"], grid(
        "raspberryLayout",
        ((0, 0, 1), caption("videoAddressCaption", t["video"], "videoAddressEdit")),
        ((0, 1, 2), edit("videoAddressEdit", 1306, 260)),
        ((0, 3, 1), button("videoButton", 1309, t["videoButton"])),
        ((1, 0, 1), caption("controlAddressCaption", t["control"], "controlAddressEdit")),
        ((1, 1, 1), edit("controlAddressEdit", 1307, 130)),
        ((1, 2, 1), caption("controlPortCaption", t["port"], "controlPortEdit")),
        ((1, 3, 1), edit("controlPortEdit", 1308, 60)),
        ((2, 0, 1), button("controlButton", 1310, t["controlButton"])),
        ((2, 1, 3), label("statusLine", "", 1311, plain=True)),
    ))


def colour_group(t):
    return group("searchlightGroup", t["light"], grid(
        "searchlightLayout",
        ((0, 0, 1), swatch("swatchButton", 1296)),
        ((0, 1, 2), label("colourLabel", "R:000,G:000,B:000", 1297, plain=True)),
        ((1, 0, 1), caption("redCaption", t["r"], "redSlider")),
        ((1, 1, 2), slider("redSlider", 1277)),
        ((2, 0, 1), caption("greenCaption", t["g"], "greenSlider")),
        ((2, 1, 2), slider("greenSlider", 1278)),
        ((3, 0, 1), caption("blueCaption", t["b"], "blueSlider")),
        ((3, 1, 2), slider("blueSlider", 1279)),
        ((4, 0, 3), hbox("colourButtons", button("whiteButton", 1266, t["white"]),
                         button("redButton", 1267, t["red"]), button("greenButton", 1268, t["green"]),
                         button("blueButton", 1269, t["blue"]))),
    ))


def tracking_row(caption_text):
    return hbox("trackingRow", label("trackingCaption", caption_text),
                lamp("trackingL1", 1281), lamp("trackingL2", 1282), lamp("trackingR1", 1283),
                lamp("trackingR2", 1284), "stretch")


def four_wd():
    f = Form("CTavo4WDCarFormView", "Tavo 4WD Car", 1180, 820)
    t = {"group": "Raspberry Pi Configuration", "video": "Raspberry Pi video address：",
         "control": "Raspberry Pi Control Service：", "port": "Port：",
         "videoButton": "Connect video", "controlButton": "Connect control",
         "light": "RGB searchlight", "r": "R（Red 0~255）", "g": "G（Green 0~255）",
         "b": "B（Blue 0~255）", "white": "White", "red": "Red", "green": "Green", "blue": "Blue"}
    video = group("videoGroup", "Video monitoring (Raspberry Pi)", vbox(
        "videoLayout", video_area(),
        grid("cameraCross",
             ((0, 1, 1), button("cameraUpButton", 1314, "Up")),
             ((1, 0, 1), button("cameraLeftButton", 1316, "Left")),
             # The car's own caption of the camera's down button reads "Right"; a translation
             # can say what it does.
             ((1, 1, 1), {**button("cameraDownButton", 1315, "Right"),
                          "props": [("text", "string", "Right", False, "camera down")]}),
             ((1, 2, 1), button("cameraRightButton", 1317, "Right")))))
    drive = group("robotGroup", "Robot control area", grid(
        "robotLayout",
        ((0, 1, 1), button("frontButton", 1272, "Front")),
        ((1, 0, 1), button("leftButton", 1274, "Left")),
        ((1, 1, 1), button("stopButton", 1276, "Stop")),
        ((1, 2, 1), button("rightButton", 1275, "Right")),
        ((2, 1, 1), button("backButton", 1273, "Back")),
        ((3, 0, 1), button("spinLeftButton", 1257, "Left Rotating")),
        ((3, 2, 1), button("spinRightButton", 1258, "Right Rotating")),
        ((4, 0, 3), label("servoCaption", "Servo pan/tilt control")),
        ((5, 0, 3), slider("servoSlider", 1280, ticks=True)),
        ((6, 0, 3), hbox("servoButtons", button("servoLeftButton", 1259, "Left"),
                         button("servoMiddleButton", 1260, "Middle"),
                         button("servoRightButton", 1261, "Right"))),
        ((7, 0, 3), hbox("extraButtons", button("outfireButton", 1262, "Outfire"),
                         button("whistleButton", 1263, "Whistle"),
                         button("accelerateButton", 1264, "Accelerate"),
                         button("reduceButton", 1265, "Reduce"))),
        ((8, 0, 3), button("armButton", 1271, "Mechanical arm \nadvanced control")),
    ))
    sensors = group("sensorGroup", "Sensor data display", grid(
        "sensorLayout",
        ((0, 0, 1), caption("batteryCaption", "Battery power:", "batteryBar")),
        ((0, 1, 1), {"class": "QProgressBar", "name": "batteryBar", "id": 1270,
                     "props": [("textVisible", "bool", "false")]}),
        ((0, 2, 1), label("batteryText", "8.1V-80%", 1298, plain=True)),
        ((1, 0, 3), tracking_row("Tracking sensor:")),
        ((2, 0, 3), hbox("obstacleRow", label("obstacleCaption", "Infrared obstacle avoidance sensor:"),
                         lamp("obstacleL1", 1285), lamp("obstacleR1", 1286), "stretch")),
        ((3, 0, 3), hbox("lightRow", label("lightCaption", "Light seek sensor:"),
                         lamp("lightL1", 1287), lamp("lightR1", 1288), "stretch")),
        ((4, 0, 1), caption("colourSensorCaption", "Color sensor:", "colourValueEdit")),
        ((4, 1, 2), hbox("colourSensorRow", label("colourNameLabel", "Red", 1292, plain=True),
                         swatch("colourSensorSwatch", 1299), edit("colourValueEdit", 1290, 60))),
        ((5, 0, 1), label("ultrasonicCaption", "Ultrasonic sensor:")),
        ((5, 1, 2), label("distanceLabel", "120cm", 1293, plain=True)),
    ))
    arm_cells = []
    for i, (name, cid) in enumerate([("j1", 1294), ("j2", 1295), ("j3", 1019),
                                     ("j4", 1020), ("j5", 1021), ("j6", 1022)]):
        r, c = i % 3, (i // 3) * 2
        arm_cells.append(((r, c, 1), caption(f"{name}Caption", f"J{i + 1}", f"{name}Slider")))
        arm_cells.append(((r, c + 1, 1), slider(f"{name}Slider", cid)))
    arm = group("armGroup", "Mechanical arm basic control", grid("armLayout", *arm_cells))
    left = vbox("leftColumn", video, raspberry_group(t))
    right = vbox("rightColumn", drive, colour_group(t), sensors, arm)
    f.write("resources/forms/tavo4wd_car_form_view.ui", hbox("mainLayout", left, right))


def pendrix():
    f = Form("CPendrixFormView", "Pendrix Robot Car", 1120, 760)
    t = {"group": "树莓派配置", "video": "树莓派视频地址：", "control": "树莓派控制服务：",
         "port": "端口：", "videoButton": "连接视频", "controlButton": "连接控制",
         "light": "七彩探照灯", "r": "R（红色0~255）", "g": "G（绿色0~255）", "b": "B（蓝色0~255）",
         "white": "白色", "red": "红色", "green": "绿色", "blue": "蓝色"}
    video = group("videoGroup", "视频监控(树莓派)", vbox(
        "videoLayout", video_area(),
        hbox("panRow", "stretch", button("panLeftButton", 1316, "左摇"),
             button("panRightButton", 1317, "右摇"), "stretch")))
    drive = group("robotGroup", "机器人控制区", grid(
        "robotLayout",
        ((0, 1, 1), button("frontButton", 1272, "前")),
        ((1, 0, 1), button("leftButton", 1274, "左")),
        ((1, 1, 1), button("stopButton", 1276, "停")),
        ((1, 2, 1), button("rightButton", 1275, "右")),
        ((2, 1, 1), button("backButton", 1273, "后")),
        ((3, 0, 3), hbox("driftButtons", button("driftLeftButton", 1257, "左漂移"),
                         button("driftStopButton", 1262, "停漂"),
                         button("driftRightButton", 1258, "右漂移"))),
        ((4, 0, 3), label("headingCaption", "车头校准")),
        ((5, 0, 3), slider("headingSlider", 1280, ticks=True)),
        ((6, 0, 3), hbox("positionButtons", button("positionLeftButton", 1259, "左"),
                         button("positionMiddleButton", 1260, "中"),
                         button("positionRightButton", 1261, "右"))),
        ((7, 0, 3), hbox("extraButtons", button("hornButton", 1263, "鸣笛"),
                         button("fasterButton", 1264, "加速"),
                         button("slowerButton", 1265, "减速"))),
    ))
    sensors = group("sensorGroup", "传感器数据显示", grid(
        "sensorLayout",
        ((0, 0, 1), caption("batteryCaption", "电池电量:", "batteryBar")),
        ((0, 1, 1), {"class": "QProgressBar", "name": "batteryBar", "id": 1270,
                     "props": [("textVisible", "bool", "false")]}),
        ((0, 2, 1), label("batteryText", "12.6V-100%", 1298, plain=True)),
        ((1, 0, 3), tracking_row("巡线传感器:")),
        ((2, 0, 1), label("ultrasonicCaption", "超声波:")),
        ((2, 1, 2), {"class": "Korvane::CDigiStatic", "name": "distanceDisplay", "id": 1293,
                     "props": [("minimumSize", "size", (140, 44))]}),
    ))
    left = vbox("leftColumn", video, raspberry_group(t))
    right = vbox("rightColumn", drive, colour_group(t), sensors, "stretch")
    f.write("resources/forms/pendrix_form_view.ui", hbox("mainLayout", left, right))


def manipulator():
    f = Form("CDlgManipulator", "Manipulator advanced control interface", 620, 420)
    sliders = []
    for i, (sid, eid) in enumerate(zip([1013, 1014, 1015, 1016, 1017, 1018],
                                       [1009, 1010, 1011, 1012, 1019, 1020])):
        sliders.append(vbox(f"joint{i + 1}Column", slider(f"joint{i + 1}Slider", sid, vertical=True),
                            edit(f"joint{i + 1}Edit", eid, 40)))
    joints = vbox("jointsColumn", label("topLabel", "180°"), hbox("slidersRow", *sliders),
                  label("bottomLabel", "0°"))
    steps = vbox(
        "stepsColumn",
        {"class": "QCheckBox", "name": "realTimeCheck", "id": 1029,
         "props": [("text", "string", "Drag the real-time control switch")]},
        caption("stepsCaption", "Record and save robot step list", "stepList"),
        {"class": "QListWidget", "name": "stepList", "id": 1271,
         "props": [("sortingEnabled", "bool", "true")]},
        # Beside the list: the taught list to and from a file (no ids of the template).
        hbox("fileButtons",
             {"class": "QPushButton", "name": "openListButton",
              "props": [("text", "string", "Open list...")]},
             {"class": "QPushButton", "name": "saveListButton",
              "props": [("text", "string", "Save list as...")]}),
        hbox("delayRow", caption("delayCaption", " Delay time between steps:", "delayEdit"),
             edit("delayEdit", 1063, 60)),
        hbox("stepButtons", button("startButton", 1252, "Start"), button("saveButton", 1253, "Save"),
             button("deleteButton", 1254, "Delete"), button("runButton", 1255, "Run"),
             button("stopButton", 1256, "Emergency stop")),
    )
    f.write("resources/forms/dlg_manipulator.ui", hbox("mainLayout", joints, steps))


if __name__ == "__main__":
    four_wd()
    pendrix()
    manipulator()
