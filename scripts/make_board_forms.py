#!/usr/bin/env python3
"""Writes the Qt Designer forms of the development board panels: resources/forms/
develop51_form_view.ui (template 324, the 8051 boards), develop_ar_form_view.ui (template 330,
the Arduino kits) and dlg_grid_ctrl.ui (template 332, the dot-matrix editor). The forms are plain .ui files; this script only saves typing the XML of
some hundred controls with their ids and captions. Run it from the repository root."""

from form_builder import Form, button, caption, edit, grid, group, hbox, label, lamp, vbox


def radio(name, cid, text):
    return {"class": "QRadioButton", "name": name, "id": cid, "props": [("text", "string", text)]}


def check(name, cid, text):
    return {"class": "QCheckBox", "name": name, "id": cid, "props": [("text", "string", text)]}


def key(name, cid, text):
    return {"class": "Korvane::CButtonEx", "name": name, "id": cid,
            # The keypad's keys are the board's symbols, the same in every language.
            "props": [("text", "string", text, True), ("minimumSize", "size", (36, 28)),
                      ("focusPolicy", "enum", "Qt::NoFocus")]}


def read_only_edit(name, cid, min_width=0):
    w = edit(name, cid, min_width)
    w["props"].append(("readOnly", "bool", "true"))
    return w


def segment(title, first, second, width):
    return group("segmentGroup", title, grid(
        "segmentLayout",
        ((0, 0, 1), first),
        ((0, 1, 1), second),
        ((1, 0, 1), label("segmentDisplayCaption", "数码管显示:")),
        ((1, 1, 2), {"class": "Korvane::CDigiStatic", "name": "segmentDisplay", "id": 1186,
                     "props": [("minimumSize", "size", (width, 40)), ("text", "string", "1234")]}),
        ((2, 0, 2), edit("segmentEdit", 1066)),
        ((2, 2, 1), button("segmentSendButton", 1067, "数码管显示输出")),
    ))


def serial_assistant():
    return group("serialGroup", "蓝牙串口调试助手", grid(
        "serialLayout",
        ((0, 0, 1), caption("serialSendCaption", "发送：", "serialSendEdit")),
        ((0, 1, 1), edit("serialSendEdit", 1089, 160)),
        ((0, 2, 1), button("serialSendButton", 1091, "发送")),
        ((1, 0, 1), caption("serialReceiveCaption", "接收：", "serialReceiveEdit")),
        ((1, 1, 2), read_only_edit("serialReceiveEdit", 1090)),
    ))


def develop51():
    f = Form("CDevelop51FormView", "Alder Development Board", 1220, 640)
    leds = [("led0", 1029, 1140), ("led1", 1030, 1141), ("led2", 1031, 1142), ("led3", 1032, 1143),
            ("led4", 1033, 1144), ("led5", 1034, 1145), ("led6", 1035, 1174), ("led7", 1036, 1175)]
    led_cells = [((0, 0, 4), hbox("ledButtons", button("flowingButton", 1176, "流水灯"),
                                  button("breathingButton", 1177, "呼吸灯"), "stretch"))]
    for i, (name, box, lamp_id) in enumerate(leds):
        r, c = 1 + i // 4, (i % 4)
        led_cells.append(((r, c, 1), hbox(f"{name}Row", check(f"{name}Check", box, f"P1.{i}"),
                                          lamp(f"{name}Lamp", lamp_id))))
    led_group = group("ledGroup", "（1）LED控制部分", grid("ledLayout", *led_cells))

    stepper_group = group("stepperGroup", "（2）步进电机", vbox(
        "stepperLayout", coil_row(),
        hbox("stepperButtons", button("stepperForwardButton", 1053, "顺转"),
             button("stepperStopButton", 1054, "停止"), button("stepperBackwardButton", 1055, "逆转")),
        hbox("stepperSpeedButtons", button("stepperFasterButton", 1056, "加速"),
             button("stepperSlowerButton", 1057, "减速"), "stretch")))

    ad_group = group("adGroup", "（3）AD", grid(
        "adLayout",
        ((0, 0, 1), radio("lightRadio", 1058, "光敏传感器(J8_A0)")),
        ((0, 1, 1), radio("thermistorRadio", 1059, "热敏传感器(J8_A0)")),
        ((1, 0, 1), radio("voltageRadio", 1060, "电压测量(J8_A0)")),
        ((1, 1, 1), radio("sw1Radio", 1061, "SW1(A3)")),
        ((2, 0, 1), radio("sw2Radio", 1062, "SW2(A2)")),
        ((2, 1, 1), label("adPinsLabel", "SCL P2.1\nSDA P2.0")),
        ((3, 0, 1), caption("adRawCaption", "原始AD采样数据", "adRawEdit")),
        ((3, 1, 1), read_only_edit("adRawEdit", 1009)),
        ((4, 0, 1), caption("adConvertedCaption", "转化后数据显示", "adConvertedEdit")),
        ((4, 1, 1), read_only_edit("adConvertedEdit", 1010)),
    ))

    sensor_group = group("sensorGroup", "（4）其他传感器", grid(
        "sensorLayout",
        ((0, 0, 1), radio("ultrasonicRadio", 1094, "超声波")),
        ((0, 1, 1), label("distanceLabel", "20.25cm", 1180, plain=True)),
        ((0, 2, 1), label("echoTrigLabel", "Echo P2.0  Trig P2.1")),
        ((1, 0, 1), radio("ds18b20Radio", 1095, "DS18B20温度")),
        ((1, 1, 1), label("temperatureLabel", "29.3℃", 1181, plain=True)),
        ((1, 2, 1), label("temperaturePinLabel", "Data:P2.2")),
        ((2, 0, 1), radio("motionRadio", 1096, "人体红外")),
        ((2, 1, 1), lamp("motionLamp", 1178)),
        ((2, 2, 1), label("motionPinLabel", "Data:P2.2")),
        ((3, 0, 1), radio("soundRadio", 1097, "声音传感器")),
        ((3, 1, 1), lamp("soundLamp", 1179)),
        ((4, 0, 3), button("buzzerButton", 1024, "蜂鸣器（P2.3）")),
    ))

    clock_group = group("clockGroup", "（5）实时时钟", vbox(
        "clockLayout",
        hbox("clockRow",
             {"class": "QDateEdit", "name": "clockDateEdit", "id": 1064,
              "props": [("calendarPopup", "bool", "true"),
                        ("displayFormat", "string", "yyyy-MM-dd", True)]},
             edit("clockHourEdit", 1063, 32), label("colon1Label", ":"),
             edit("clockMinuteEdit", 1065, 32), label("colon2Label", ":"),
             edit("clockSecondEdit", 1068, 32), "stretch"),
        hbox("clockButtons", button("clockSegmentButton", 1021, "数码管设置显示"),
             button("clock1602Button", 1022, "1602设置显示"),
             button("clock12864Button", 1023, "12864设置显示")),
        label("timeLabel", "当前时间:2017-05-16  12:29:30", 1182, plain=True)))

    ir_group = group("irGroup", "（6）红外发射接收", grid(
        "irLayout",
        ((0, 0, 1), label("irSendRowLabel", "发送：")),
        ((0, 1, 1), caption("irUser1Caption", "用户码1", "irUser1Edit")),
        ((0, 2, 1), edit("irUser1Edit", 1092, 30)),
        ((0, 3, 1), caption("irUser2Caption", "用户码2", "irUser2Edit")),
        ((0, 4, 1), edit("irUser2Edit", 1183, 30)),
        ((1, 1, 1), caption("irOp1Caption", "操作码1", "irOp1Edit")),
        ((1, 2, 1), edit("irOp1Edit", 1184, 30)),
        ((1, 3, 1), caption("irOp2Caption", "操作码2", "irOp2Edit")),
        ((1, 4, 1), edit("irOp2Edit", 1185, 30)),
        ((1, 5, 1), button("irSendButton", 1093, "发送红外码")),
        ((2, 0, 1), label("irReceiveRowLabel", "接收：")),
        ((2, 1, 1), caption("irInternalCaption", "内部码：", "irInternalEdit")),
        ((2, 2, 4), read_only_edit("irInternalEdit", 1087)),
        ((3, 1, 1), caption("irTranslatedCaption", "转义码：", "irTranslatedEdit")),
        ((3, 2, 4), read_only_edit("irTranslatedEdit", 1088)),
    ))

    segment_group = segment("（7）数码管控制显示", radio("fourDigitRadio", 1139, "4位显示"),
                            radio("eightDigitRadio", 1173, "8位显示"), 200)

    lcd_group = group("lcdGroup", "（8）液晶控制显示", grid(
        "lcdLayout",
        ((0, 0, 1), caption("lcd1602Caption", "1602:", "lcd1602Line1Edit")),
        ((0, 1, 1), edit("lcd1602Line1Edit", 1011, 140)),
        ((1, 1, 1), edit("lcd1602Line2Edit", 1012, 140)),
        ((0, 2, 1), button("lcd1602ShowButton", 1017, "1602显示")),
        ((1, 2, 1), button("lcd1602ClearButton", 1018, "1602清屏")),
        ((2, 0, 1), caption("lcd12864Caption", "12864:", "lcd12864Line1Edit")),
        ((2, 1, 1), edit("lcd12864Line1Edit", 1013, 140)),
        ((3, 1, 1), edit("lcd12864Line2Edit", 1014, 140)),
        ((4, 1, 1), edit("lcd12864Line3Edit", 1015, 140)),
        ((5, 1, 1), edit("lcd12864Line4Edit", 1016, 140)),
        ((2, 2, 1), button("lcd12864ShowButton", 1019, "12864显示")),
        ((3, 2, 1), button("lcd12864ClearButton", 1020, "12864清屏")),
    ))

    rows = [[("1", 1071), ("2", 1072), ("3", 1073), ("+", 1074)],
            [("4", 1075), ("5", 1076), ("6", 1077), ("-", 1084)],
            [("7", 1078), ("8", 1079), ("9", 1080), ("x", 1085)],
            [("←", 1081), ("0", 1082), ("=", 1083), ("÷", 1086)]]
    key_cells = [((r, c, 1), key(f"key{cid}Button", cid, text))
                 for r, row in enumerate(rows) for c, (text, cid) in enumerate(row)]
    calc_group = group("calculatorGroup", "（9）矩阵按键计算器", vbox(
        "calculatorLayout",
        hbox("formulaRow", caption("formulaCaption", "公式：", "formulaEdit"), edit("formulaEdit", 1069)),
        hbox("resultRow", caption("resultCaption", "结果：", "resultEdit"), edit("resultEdit", 1070)),
        grid("keypadLayout", *key_cells)))

    serial_group = serial_assistant()

    fan_group = group("fanGroup", "（10）风扇控制区", hbox(
        "fanLayout", fan_picture(),
        grid("fanButtons",
             ((0, 0, 1), button("fanFasterButton", 1138, "加速")),
             ((0, 1, 1), button("fanSlowerButton", 1170, "减速")),
             ((1, 0, 1), button("fanStartButton", 1171, "启动")),
             ((1, 1, 1), button("fanStopButton", 1172, "停止")))))

    dot_group = group("dotGroup", "（11）点阵控制区", hbox(
        "dotLayout", button("dotMatrixButton", 1190, "点阵"), "stretch"))

    logo = {"class": "QLabel", "name": "logoPicture", "id": 1238, "props": []}
    col1 = vbox("column1", led_group, stepper_group, ad_group, sensor_group)
    col2 = vbox("column2", clock_group, ir_group, segment_group, lcd_group)
    col3 = vbox("column3", calc_group, serial_group, fan_group, dot_group, logo)
    f.write("resources/forms/develop51_form_view.ui", hbox("mainLayout", col1, col2, col3))


def coil_row():
    coils = [vbox(f"coil{i}Column", lamp(f"coil{i}Lamp", None), label(f"coil{i}Label", f"IN{i}"))
             for i in range(1, 5)]
    return hbox("coilRow", *coils, "stretch")


def fan_picture():
    return {"class": "Korvane::CPictureEx", "name": "fanPicture", "id": 1191,
            "props": [("minimumSize", "size", (120, 120)), ("maximumSize", "size", (120, 120))]}


def develop_ar():
    f = Form("CDevelopARFormView", "Birch Basic Kit", 1220, 640)
    led_group = group("ledGroup", "（1）LED控制部分", grid(
        "ledLayout",
        ((0, 0, 3), hbox("ledButtons", button("flowingButton", 1176, "流水灯"),
                         button("breathingButton", 1177, "呼吸灯"), "stretch")),
        ((1, 0, 1), label("rgbLabel", "三\n色\n灯")),
        ((1, 1, 1), vbox("rgbColumn",
                         hbox("led0Row", check("led0Check", 1211, "P3/R(红)"), lamp("led0Lamp", 1215)),
                         hbox("led1Row", check("led1Check", 1212, "P4/G(绿)"), lamp("led1Lamp", 1216)),
                         hbox("led2Row", check("led2Check", 1213, "P5/B(蓝)"), lamp("led2Lamp", 1217)))),
        ((1, 2, 1), hbox("led3Row", check("led3Check", 1214, "P6"), lamp("led3Lamp", 1218))),
    ))
    segment_group = segment("（2）数码管控制显示", radio("oneDigitRadio", 1221, "1位显示"),
                            radio("fourDigitRadio", 1139, "4位显示"), 160)
    switch_group = group("switchGroup", "（3）按键、触摸开关、倾斜开关", grid(
        "switchLayout",
        ((0, 0, 1), hbox("button1Row", lamp("button1Lamp", 1219), label("button1Label", "按钮1"))),
        ((0, 1, 1), hbox("button2Row", lamp("button2Lamp", 1220), label("button2Label", "按钮2"))),
        ((0, 2, 1), hbox("button3Row", lamp("button3Lamp", 1222), label("button3Label", "按钮3"))),
        ((0, 3, 1), hbox("button4Row", lamp("button4Lamp", 1223), label("button4Label", "按钮4"))),
        ((1, 0, 1), hbox("touchRow", lamp("touchLamp", 1225), label("touchLabel", "触摸开关"))),
        ((1, 1, 1), hbox("tiltRow", lamp("tiltLamp", 1226), label("tiltLabel", "倾斜开关"))),
        ((2, 0, 1), caption("touchValueCaption", "触摸AD值：", "touchValueEdit")),
        ((2, 1, 3), read_only_edit("touchValueEdit", 1009)),
    ))
    motor_group = group("motorGroup", "（4）步进电机、风扇、舵机", vbox(
        "motorLayout", coil_row(),
        hbox("stepperButtons", button("stepperForwardButton", 1053, "顺转"),
             button("stepperStopButton", 1054, "停止"), button("stepperBackwardButton", 1055, "逆转"),
             button("stepperFasterButton", 1056, "加速"), button("stepperSlowerButton", 1057, "减速")),
        hbox("fanRow", fan_picture(),
             grid("fanButtons",
                  ((0, 0, 1), button("fanFasterButton", 1138, "加速")),
                  ((0, 1, 1), button("fanSlowerButton", 1170, "减速")),
                  ((1, 0, 1), button("fanStartButton", 1171, "启动")),
                  ((1, 1, 1), button("fanStopButton", 1172, "停止")))),
        hbox("servoButtons", button("servoLeftButton", 1224, "舵机左摇"),
             button("servoResetButton", 1227, "舵机复位"), button("servoRightButton", 1228, "舵机右摇")),
        hbox("servoRow", label("servoCaption", "舵机度数："), label("servoAngleLabel", "0°", 1230, plain=True),
             "stretch")))
    ir_group = group("irGroup", "（5）红外遥控接收", grid(
        "irLayout",
        ((0, 0, 1), caption("irInternalCaption", "内部码：", "irInternalEdit")),
        ((0, 1, 1), read_only_edit("irInternalEdit", 1087)),
        ((1, 0, 1), caption("irTranslatedCaption", "转义码：", "irTranslatedEdit")),
        ((1, 1, 1), read_only_edit("irTranslatedEdit", 1088)),
    ))
    dot_group = group("dotGroup", "（6）点阵控制区", hbox(
        "dotLayout", button("dotMatrixButton", 1190, "点阵"), "stretch"))
    lcd_group = group("lcdGroup", "（7）液晶控制显示", grid(
        "lcdLayout",
        ((0, 0, 1), caption("lcd1602Caption", "1602:", "lcd1602Line1Edit")),
        ((0, 1, 1), edit("lcd1602Line1Edit", 1011, 140)),
        ((1, 1, 1), edit("lcd1602Line2Edit", 1012, 140)),
        ((0, 2, 1), button("lcd1602ShowButton", 1017, "1602显示")),
        ((1, 2, 1), button("lcd1602ClearButton", 1018, "1602清屏")),
    ))
    sensor_group = group("sensorGroup", "（8）其他传感器", grid(
        "sensorLayout",
        ((0, 0, 1), radio("ultrasonicRadio", 1094, "超声波")),
        ((0, 1, 1), label("distanceLabel", "20.25cm", 1180, plain=True)),
        ((0, 2, 1), label("echoTrigLabel", "Echo A5  Trig A4")),
        ((1, 0, 1), radio("ds18b20Radio", 1095, "DS18B20温度")),
        ((1, 1, 1), label("temperatureLabel", "29.3℃", 1181, plain=True)),
        ((1, 2, 1), label("ds18b20PinLabel", "Data:P8")),
        ((2, 0, 1), radio("dht11Radio", 1098, "DHT11温湿度")),
        ((2, 1, 1), hbox("dht11Row", label("airTemperatureLabel", "29.3℃", 1182, plain=True),
                         label("humidityLabel", "29%", 1183, plain=True))),
        ((2, 2, 1), label("dht11PinLabel", "Data:P8")),
        ((3, 0, 1), radio("motionRadio", 1096, "人体红外")),
        ((3, 1, 1), lamp("motionLamp", 1178)),
        ((3, 2, 1), label("motionPinLabel", "Data:A3")),
        ((4, 0, 1), radio("soundRadio", 1097, "声音传感器")),
        ((4, 1, 1), lamp("soundLamp", 1179)),
        ((4, 2, 1), label("soundPinLabel", "Data:P11")),
        ((5, 0, 3), button("buzzerButton", 1024, "蜂鸣器（P2）")),
    ))
    ad_group = group("adGroup", "（9）AD", grid(
        "adLayout",
        ((0, 0, 1), radio("lightRadio", 1058, "光敏传感器(A0)")),
        ((0, 1, 1), radio("thermistorRadio", 1059, "热敏传感器(A0)")),
        ((1, 0, 1), radio("voltageRadio", 1060, "电压测量(A0)")),
        ((1, 1, 1), radio("smokeRadio", 1061, "烟雾传感器(A0)")),
        ((2, 0, 1), caption("adRawCaption", "原始AD采样数据", "adRawEdit")),
        ((2, 1, 1), read_only_edit("adRawEdit", 1010)),
        ((3, 0, 1), caption("adConvertedCaption", "转化后数据显示", "adConvertedEdit")),
        ((3, 1, 1), read_only_edit("adConvertedEdit", 1013)),
    ))
    serial_group = serial_assistant()
    joystick_group = group("joystickGroup", "(10) 遥杆", hbox(
        "joystickLayout",
        grid("joystickCross",
             ((0, 0, 1), lamp("joyUpLeftLamp", 1236)), ((0, 1, 1), lamp("joyUpLamp", 1231)),
             ((0, 2, 1), lamp("joyUpRightLamp", 1238)), ((1, 0, 1), lamp("joyLeftLamp", 1233)),
             ((1, 1, 1), lamp("joyCentreLamp", 1235)), ((1, 2, 1), lamp("joyRightLamp", 1234)),
             ((2, 0, 1), lamp("joyDownLeftLamp", 1241)), ((2, 1, 1), lamp("joyDownLamp", 1232)),
             ((2, 2, 1), lamp("joyDownRightLamp", 1240))),
        grid("joystickValues",
             ((0, 0, 1), caption("joyXCaption", "X:", "joyXEdit")), ((0, 1, 1), read_only_edit("joyXEdit", 1014)),
             ((1, 0, 1), caption("joyYCaption", "Y:", "joyYEdit")), ((1, 1, 1), read_only_edit("joyYEdit", 1015)),
             ((2, 0, 1), caption("joyZCaption", "Z:", "joyZEdit")), ((2, 1, 1), read_only_edit("joyZEdit", 1016)))))
    logo = {"class": "QLabel", "name": "logoPicture", "id": 1237, "props": []}
    col1 = vbox("column1", led_group, segment_group, switch_group, motor_group)
    col2 = vbox("column2", ir_group, dot_group, lcd_group, sensor_group)
    col3 = vbox("column3", ad_group, serial_group, joystick_group, logo)
    f.write("resources/forms/develop_ar_form_view.ui", hbox("mainLayout", col1, col2, col3))


def grid_dialog():
    f = Form("CDlgGridCtrl", "点阵", 380, 400)
    grid_widget = {"class": "Korvane::CDotGrid", "name": "dotGrid", "id": 1187,
                   "props": [("minimumSize", "size", (336, 320))]}
    buttons = hbox("buttonRow", "stretch", button("allOnButton", 1, "全亮"),
                   button("clearButton", 3, "清屏"), button("closeButton", 2, "关闭"), "stretch")
    f.write("resources/forms/dlg_grid_ctrl.ui", vbox("mainLayout", grid_widget, buttons))


if __name__ == "__main__":
    develop51()
    develop_ar()
    grid_dialog()
