<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Korvane V4.0</source>
        <translation>About Korvane V4.0</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>Logo</translation>
    </message>
    <message>
        <source>Korvane PC Ver: 4.0</source>
        <translation>Korvane PC Ver: 4.0</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;https://korvane.example/&quot;&gt;Korvane web site&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;https://korvane.example/&quot;&gt;Korvane web site&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;https://korvane.example/download/&quot;&gt;Downloads&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;https://korvane.example/download/&quot;&gt;Downloads&lt;/a&gt;</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CArduinoCarFormView</name>
    <message>
        <source>Birch Robot Car</source>
        <translation>Birch Robot Car</translation>
    </message>
    <message>
        <source>Korvane Birch Robot Car V2.0</source>
        <translation>Korvane Birch Robot Car V2.0</translation>
    </message>
    <message>
        <source>前</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>停</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>后</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>左旋</source>
        <translation>Spin left</translation>
    </message>
    <message>
        <source>右旋</source>
        <translation>Spin right</translation>
    </message>
    <message>
        <source>中</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>LED</source>
        <translation>LED</translation>
    </message>
    <message>
        <source>灭火</source>
        <translation>Put out fire</translation>
    </message>
    <message>
        <source>鸣笛</source>
        <translation>Horn</translation>
    </message>
    <message>
        <source>唱歌</source>
        <translation>Sing</translation>
    </message>
    <message>
        <source>减速</source>
        <translation>Slower</translation>
    </message>
    <message>
        <source>加速</source>
        <translation>Faster</translation>
    </message>
    <message>
        <source>超声波距离：</source>
        <translation>Ultrasonic distance:</translation>
    </message>
    <message>
        <source>Ultrasonic distance</source>
        <translation>Ultrasonic distance</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>Logo</translation>
    </message>
</context>
<context>
    <name>CBalenceFormView</name>
    <message>
        <source>Balance Car</source>
        <translation>Balance Car</translation>
    </message>
    <message>
        <source>Control area</source>
        <translation>Control area</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Front</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Left Rotating</source>
        <translation>Left Rotating</translation>
    </message>
    <message>
        <source>Right Rotating</source>
        <translation>Right Rotating</translation>
    </message>
    <message>
        <source>Left motor speed</source>
        <translation>Left motor speed</translation>
    </message>
    <message>
        <source>Right motor speed</source>
        <translation>Right motor speed</translation>
    </message>
    <message>
        <source>PID debug</source>
        <translation>PID debug</translation>
    </message>
    <message>
        <source>Angle speed PID</source>
        <translation>Angle speed PID</translation>
    </message>
    <message>
        <source>P:</source>
        <translation>P:</translation>
    </message>
    <message>
        <source>Angle P gain</source>
        <translation>Angle P gain</translation>
    </message>
    <message>
        <source>D:</source>
        <translation>D:</translation>
    </message>
    <message>
        <source>Angle D gain</source>
        <translation>Angle D gain</translation>
    </message>
    <message>
        <source>Speed loop PID</source>
        <translation>Speed loop PID</translation>
    </message>
    <message>
        <source>Speed P gain</source>
        <translation>Speed P gain</translation>
    </message>
    <message>
        <source>I:</source>
        <translation>I:</translation>
    </message>
    <message>
        <source>Speed I gain</source>
        <translation>Speed I gain</translation>
    </message>
    <message>
        <source>Query PID</source>
        <translation>Query PID</translation>
    </message>
    <message>
        <source>Update angle PID</source>
        <translation>Update angle PID</translation>
    </message>
    <message>
        <source>Drag updates</source>
        <translation>Drag updates</translation>
    </message>
    <message>
        <source>Update speed PID</source>
        <translation>Update speed PID</translation>
    </message>
    <message>
        <source>Default recovery</source>
        <translation>Restore defaults</translation>
    </message>
    <message>
        <source>Numerical display</source>
        <translation>Numerical display</translation>
    </message>
    <message>
        <source>Ultrasonic distance（cm）</source>
        <translation>Ultrasonic distance (cm)</translation>
    </message>
    <message>
        <source>Battery voltage（v）</source>
        <translation>Battery voltage (V)</translation>
    </message>
    <message>
        <source>Gyroscope（°）</source>
        <translation>Gyroscope (°)</translation>
    </message>
    <message>
        <source>Acceleration（g）</source>
        <translation>Acceleration (g)</translation>
    </message>
    <message>
        <source>Acceleration</source>
        <translation>Acceleration</translation>
    </message>
    <message>
        <source>Gyroscope</source>
        <translation>Gyroscope</translation>
    </message>
    <message>
        <source>Battery voltage</source>
        <translation>Battery voltage</translation>
    </message>
    <message>
        <source>Display open</source>
        <translation>Display open</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>Logo</translation>
    </message>
</context>
<context>
    <name>CClassroomView</name>
    <message>
        <source>Classroom</source>
        <translation>Classroom</translation>
    </message>
    <message>
        <source>Filter:</source>
        <translation>Filter:</translation>
    </message>
    <message>
        <source>Stations</source>
        <translation>Stations</translation>
    </message>
    <message>
        <source>Broker connection</source>
        <translation>Broker connection</translation>
    </message>
</context>
<context>
    <name>CConfigDlg</name>
    <message>
        <source>配置通信参数</source>
        <translation>Communication settings</translation>
    </message>
    <message>
        <source>serial port/Bluetooth Choice</source>
        <translation>Serial port or Bluetooth</translation>
    </message>
    <message>
        <source>Serial configuration</source>
        <translation>Serial configuration</translation>
    </message>
    <message>
        <source>Serial number：</source>
        <translation>Serial port:</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>Baud rate：</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>Baud rate</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>CDevelop51FormView</name>
    <message>
        <source>Alder Development Board</source>
        <translation>Alder Development Board</translation>
    </message>
    <message>
        <source>（1）LED控制部分</source>
        <translation>(1) LEDs</translation>
    </message>
    <message>
        <source>流水灯</source>
        <translation>Running lights</translation>
    </message>
    <message>
        <source>呼吸灯</source>
        <translation>Breathing light</translation>
    </message>
    <message>
        <source>P1.0</source>
        <translation>P1.0</translation>
    </message>
    <message>
        <source>P1.1</source>
        <translation>P1.1</translation>
    </message>
    <message>
        <source>P1.2</source>
        <translation>P1.2</translation>
    </message>
    <message>
        <source>P1.3</source>
        <translation>P1.3</translation>
    </message>
    <message>
        <source>P1.4</source>
        <translation>P1.4</translation>
    </message>
    <message>
        <source>P1.5</source>
        <translation>P1.5</translation>
    </message>
    <message>
        <source>P1.6</source>
        <translation>P1.6</translation>
    </message>
    <message>
        <source>P1.7</source>
        <translation>P1.7</translation>
    </message>
    <message>
        <source>（2）步进电机</source>
        <translation>(2) Stepper motor</translation>
    </message>
    <message>
        <source>IN1</source>
        <translation>IN1</translation>
    </message>
    <message>
        <source>IN2</source>
        <translation>IN2</translation>
    </message>
    <message>
        <source>IN3</source>
        <translation>IN3</translation>
    </message>
    <message>
        <source>IN4</source>
        <translation>IN4</translation>
    </message>
    <message>
        <source>顺转</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>逆转</source>
        <translation>Backward</translation>
    </message>
    <message>
        <source>加速</source>
        <translation>Faster</translation>
    </message>
    <message>
        <source>减速</source>
        <translation>Slower</translation>
    </message>
    <message>
        <source>（3）AD</source>
        <translation>(3) AD</translation>
    </message>
    <message>
        <source>光敏传感器(J8_A0)</source>
        <translation>Light sensor (J8_A0)</translation>
    </message>
    <message>
        <source>热敏传感器(J8_A0)</source>
        <translation>Thermistor (J8_A0)</translation>
    </message>
    <message>
        <source>电压测量(J8_A0)</source>
        <translation>Voltage (J8_A0)</translation>
    </message>
    <message>
        <source>SW1(A3)</source>
        <translation>SW1(A3)</translation>
    </message>
    <message>
        <source>SW2(A2)</source>
        <translation>SW2(A2)</translation>
    </message>
    <message>
        <source>SCL P2.1
SDA P2.0</source>
        <translation>SCL P2.1
SDA P2.0</translation>
    </message>
    <message>
        <source>原始AD采样数据</source>
        <translation>Raw AD sample</translation>
    </message>
    <message>
        <source>转化后数据显示</source>
        <translation>Converted value</translation>
    </message>
    <message>
        <source>（4）其他传感器</source>
        <translation>(4) Other sensors</translation>
    </message>
    <message>
        <source>超声波</source>
        <translation>Ultrasonic</translation>
    </message>
    <message>
        <source>Echo P2.0  Trig P2.1</source>
        <translation>Echo P2.0  Trig P2.1</translation>
    </message>
    <message>
        <source>DS18B20温度</source>
        <translation>DS18B20 temperature</translation>
    </message>
    <message>
        <source>Data:P2.2</source>
        <translation>Data:P2.2</translation>
    </message>
    <message>
        <source>人体红外</source>
        <translation>Motion (PIR)</translation>
    </message>
    <message>
        <source>声音传感器</source>
        <translation>Sound sensor</translation>
    </message>
    <message>
        <source>蜂鸣器（P2.3）</source>
        <translation>Buzzer (P2.3)</translation>
    </message>
    <message>
        <source>（5）实时时钟</source>
        <translation>(5) Real-time clock</translation>
    </message>
    <message>
        <source>数码管设置显示</source>
        <translation>Clock on segments</translation>
    </message>
    <message>
        <source>1602设置显示</source>
        <translation>Clock on 1602</translation>
    </message>
    <message>
        <source>12864设置显示</source>
        <translation>Clock on 12864</translation>
    </message>
    <message>
        <source>（6）红外发射接收</source>
        <translation>(6) Infrared send and receive</translation>
    </message>
    <message>
        <source>发送：</source>
        <translation>Send:</translation>
    </message>
    <message>
        <source>用户码1</source>
        <translation>User code 1</translation>
    </message>
    <message>
        <source>用户码2</source>
        <translation>User code 2</translation>
    </message>
    <message>
        <source>操作码1</source>
        <translation>Command 1</translation>
    </message>
    <message>
        <source>操作码2</source>
        <translation>Command 2</translation>
    </message>
    <message>
        <source>发送红外码</source>
        <translation>Send infrared code</translation>
    </message>
    <message>
        <source>接收：</source>
        <translation>Received:</translation>
    </message>
    <message>
        <source>内部码：</source>
        <translation>Raw code:</translation>
    </message>
    <message>
        <source>转义码：</source>
        <translation>Key code:</translation>
    </message>
    <message>
        <source>（7）数码管控制显示</source>
        <translation>(7) Segment display</translation>
    </message>
    <message>
        <source>4位显示</source>
        <translation>4 digits</translation>
    </message>
    <message>
        <source>8位显示</source>
        <translation>8 digits</translation>
    </message>
    <message>
        <source>数码管显示:</source>
        <translation>Segment display:</translation>
    </message>
    <message>
        <source>数码管显示输出</source>
        <translation>Show on segments</translation>
    </message>
    <message>
        <source>（8）液晶控制显示</source>
        <translation>(8) LCD</translation>
    </message>
    <message>
        <source>1602显示</source>
        <translation>Show on 1602</translation>
    </message>
    <message>
        <source>1602清屏</source>
        <translation>Clear 1602</translation>
    </message>
    <message>
        <source>12864显示</source>
        <translation>Show on 12864</translation>
    </message>
    <message>
        <source>12864清屏</source>
        <translation>Clear 12864</translation>
    </message>
    <message>
        <source>（9）矩阵按键计算器</source>
        <translation>(9) Keypad calculator</translation>
    </message>
    <message>
        <source>公式：</source>
        <translation>Formula:</translation>
    </message>
    <message>
        <source>结果：</source>
        <translation>Result:</translation>
    </message>
    <message>
        <source>蓝牙串口调试助手</source>
        <translation>Bluetooth serial assistant</translation>
    </message>
    <message>
        <source>发送</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>（10）风扇控制区</source>
        <translation>(10) Fan</translation>
    </message>
    <message>
        <source>启动</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>（11）点阵控制区</source>
        <translation>(11) Dot matrix</translation>
    </message>
    <message>
        <source>点阵</source>
        <translation>Dot matrix</translation>
    </message>
</context>
<context>
    <name>CDevelopARFormView</name>
    <message>
        <source>Birch Basic Kit</source>
        <translation>Birch Basic Kit</translation>
    </message>
    <message>
        <source>（1）LED控制部分</source>
        <translation>(1) LEDs</translation>
    </message>
    <message>
        <source>流水灯</source>
        <translation>Running lights</translation>
    </message>
    <message>
        <source>呼吸灯</source>
        <translation>Breathing light</translation>
    </message>
    <message>
        <source>三
色
灯</source>
        <translation>RGB
LED</translation>
    </message>
    <message>
        <source>P3/R(红)</source>
        <translation>P3/R (red)</translation>
    </message>
    <message>
        <source>P4/G(绿)</source>
        <translation>P4/G (green)</translation>
    </message>
    <message>
        <source>P5/B(蓝)</source>
        <translation>P5/B (blue)</translation>
    </message>
    <message>
        <source>P6</source>
        <translation>P6</translation>
    </message>
    <message>
        <source>（2）数码管控制显示</source>
        <translation>(2) Segment display</translation>
    </message>
    <message>
        <source>1位显示</source>
        <translation>1 digit</translation>
    </message>
    <message>
        <source>4位显示</source>
        <translation>4 digits</translation>
    </message>
    <message>
        <source>数码管显示:</source>
        <translation>Segment display:</translation>
    </message>
    <message>
        <source>数码管显示输出</source>
        <translation>Show on segments</translation>
    </message>
    <message>
        <source>（3）按键、触摸开关、倾斜开关</source>
        <translation>(3) Buttons, touch and tilt switches</translation>
    </message>
    <message>
        <source>按钮1</source>
        <translation>Button 1</translation>
    </message>
    <message>
        <source>按钮2</source>
        <translation>Button 2</translation>
    </message>
    <message>
        <source>按钮3</source>
        <translation>Button 3</translation>
    </message>
    <message>
        <source>按钮4</source>
        <translation>Button 4</translation>
    </message>
    <message>
        <source>触摸开关</source>
        <translation>Touch switch</translation>
    </message>
    <message>
        <source>倾斜开关</source>
        <translation>Tilt switch</translation>
    </message>
    <message>
        <source>触摸AD值：</source>
        <translation>Touch AD value:</translation>
    </message>
    <message>
        <source>（4）步进电机、风扇、舵机</source>
        <translation>(4) Stepper, fan, servo</translation>
    </message>
    <message>
        <source>IN1</source>
        <translation>IN1</translation>
    </message>
    <message>
        <source>IN2</source>
        <translation>IN2</translation>
    </message>
    <message>
        <source>IN3</source>
        <translation>IN3</translation>
    </message>
    <message>
        <source>IN4</source>
        <translation>IN4</translation>
    </message>
    <message>
        <source>顺转</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>逆转</source>
        <translation>Backward</translation>
    </message>
    <message>
        <source>加速</source>
        <translation>Faster</translation>
    </message>
    <message>
        <source>减速</source>
        <translation>Slower</translation>
    </message>
    <message>
        <source>启动</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>舵机左摇</source>
        <translation>Servo left</translation>
    </message>
    <message>
        <source>舵机复位</source>
        <translation>Servo reset</translation>
    </message>
    <message>
        <source>舵机右摇</source>
        <translation>Servo right</translation>
    </message>
    <message>
        <source>舵机度数：</source>
        <translation>Servo angle:</translation>
    </message>
    <message>
        <source>（5）红外遥控接收</source>
        <translation>(5) Infrared remote</translation>
    </message>
    <message>
        <source>内部码：</source>
        <translation>Raw code:</translation>
    </message>
    <message>
        <source>转义码：</source>
        <translation>Key code:</translation>
    </message>
    <message>
        <source>（6）点阵控制区</source>
        <translation>(6) Dot matrix</translation>
    </message>
    <message>
        <source>点阵</source>
        <translation>Dot matrix</translation>
    </message>
    <message>
        <source>（7）液晶控制显示</source>
        <translation>(7) LCD</translation>
    </message>
    <message>
        <source>1602显示</source>
        <translation>Show on 1602</translation>
    </message>
    <message>
        <source>1602清屏</source>
        <translation>Clear 1602</translation>
    </message>
    <message>
        <source>（8）其他传感器</source>
        <translation>(8) Other sensors</translation>
    </message>
    <message>
        <source>超声波</source>
        <translation>Ultrasonic</translation>
    </message>
    <message>
        <source>Echo A5  Trig A4</source>
        <translation>Echo A5  Trig A4</translation>
    </message>
    <message>
        <source>DS18B20温度</source>
        <translation>DS18B20 temperature</translation>
    </message>
    <message>
        <source>Data:P8</source>
        <translation>Data:P8</translation>
    </message>
    <message>
        <source>DHT11温湿度</source>
        <translation>DHT11 temperature and humidity</translation>
    </message>
    <message>
        <source>人体红外</source>
        <translation>Motion (PIR)</translation>
    </message>
    <message>
        <source>Data:A3</source>
        <translation>Data:A3</translation>
    </message>
    <message>
        <source>声音传感器</source>
        <translation>Sound sensor</translation>
    </message>
    <message>
        <source>Data:P11</source>
        <translation>Data:P11</translation>
    </message>
    <message>
        <source>蜂鸣器（P2）</source>
        <translation>Buzzer (P2)</translation>
    </message>
    <message>
        <source>（9）AD</source>
        <translation>(9) AD</translation>
    </message>
    <message>
        <source>光敏传感器(A0)</source>
        <translation>Light sensor (A0)</translation>
    </message>
    <message>
        <source>热敏传感器(A0)</source>
        <translation>Thermistor (A0)</translation>
    </message>
    <message>
        <source>电压测量(A0)</source>
        <translation>Voltage (A0)</translation>
    </message>
    <message>
        <source>烟雾传感器(A0)</source>
        <translation>Smoke sensor (A0)</translation>
    </message>
    <message>
        <source>原始AD采样数据</source>
        <translation>Raw AD sample</translation>
    </message>
    <message>
        <source>转化后数据显示</source>
        <translation>Converted value</translation>
    </message>
    <message>
        <source>蓝牙串口调试助手</source>
        <translation>Bluetooth serial assistant</translation>
    </message>
    <message>
        <source>发送：</source>
        <translation>Send:</translation>
    </message>
    <message>
        <source>发送</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>接收：</source>
        <translation>Received:</translation>
    </message>
    <message>
        <source>(10) 遥杆</source>
        <translation>(10) Joystick</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>Z:</source>
        <translation>Z:</translation>
    </message>
</context>
<context>
    <name>CDlgGridCtrl</name>
    <message>
        <source>点阵</source>
        <translation>Dot matrix</translation>
    </message>
    <message>
        <source>全亮</source>
        <translation>All on</translation>
    </message>
    <message>
        <source>清屏</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>CDlgManipulator</name>
    <message>
        <source>Manipulator advanced control interface</source>
        <translation>Manipulator advanced control interface</translation>
    </message>
    <message>
        <source>Drag the real-time control switch</source>
        <translation>Drag controls the arm live</translation>
    </message>
    <message>
        <source>Record and save robot step list</source>
        <translation>Record and save robot step list</translation>
    </message>
    <message>
        <source>Open list...</source>
        <translation>Open list...</translation>
    </message>
    <message>
        <source>Save list as...</source>
        <translation>Save list as...</translation>
    </message>
    <message>
        <source> Delay time between steps:</source>
        <translation> Delay time between steps:</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Emergency stop</source>
        <translation>Emergency stop</translation>
    </message>
</context>
<context>
    <name>CKorvaneView</name>
    <message>
        <source>Alder Robot Car</source>
        <translation>Alder Robot Car</translation>
    </message>
    <message>
        <source>Korvane Alder Robot Car V2.0</source>
        <translation>Korvane Alder Robot Car V2.0</translation>
    </message>
    <message>
        <source>前</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>停</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>后</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>左旋</source>
        <translation>Spin left</translation>
    </message>
    <message>
        <source>右旋</source>
        <translation>Spin right</translation>
    </message>
    <message>
        <source>鸣笛</source>
        <translation>Horn</translation>
    </message>
    <message>
        <source>LED</source>
        <translation>LED</translation>
    </message>
    <message>
        <source>灭火</source>
        <translation>Put out fire</translation>
    </message>
    <message>
        <source>加速</source>
        <translation>Faster</translation>
    </message>
    <message>
        <source>减速</source>
        <translation>Slower</translation>
    </message>
    <message>
        <source>超声波距离：</source>
        <translation>Ultrasonic distance:</translation>
    </message>
    <message>
        <source>Ultrasonic distance</source>
        <translation>Ultrasonic distance</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>Logo</translation>
    </message>
</context>
<context>
    <name>CMqttDlg</name>
    <message>
        <source>Share over MQTT</source>
        <translation>Share over MQTT</translation>
    </message>
    <message>
        <source>Share this station on a broker</source>
        <translation>Share this station on a broker</translation>
    </message>
    <message>
        <source>Broker:</source>
        <translation>Broker:</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>User name:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>CA file (mqtts):</source>
        <translation>CA file (mqtts):</translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation>Choose...</translation>
    </message>
    <message>
        <source>Station name:</source>
        <translation>Station name:</translation>
    </message>
    <message>
        <source>Topic prefix:</source>
        <translation>Topic prefix:</translation>
    </message>
    <message>
        <source>Allow remote control</source>
        <translation>Allow remote control</translation>
    </message>
</context>
<context>
    <name>CPendrixFormView</name>
    <message>
        <source>Pendrix Robot Car</source>
        <translation>Pendrix Robot Car</translation>
    </message>
    <message>
        <source>视频监控(树莓派)</source>
        <translation>Video (Raspberry Pi)</translation>
    </message>
    <message>
        <source>左摇</source>
        <translation>Pan left</translation>
    </message>
    <message>
        <source>右摇</source>
        <translation>Pan right</translation>
    </message>
    <message>
        <source>树莓派配置</source>
        <translation>Raspberry Pi configuration</translation>
    </message>
    <message>
        <source>树莓派视频地址：</source>
        <translation>Raspberry Pi video address:</translation>
    </message>
    <message>
        <source>连接视频</source>
        <translation>Connect video</translation>
    </message>
    <message>
        <source>树莓派控制服务：</source>
        <translation>Raspberry Pi control service:</translation>
    </message>
    <message>
        <source>端口：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>连接控制</source>
        <translation>Connect control</translation>
    </message>
    <message>
        <source>机器人控制区</source>
        <translation>Robot control</translation>
    </message>
    <message>
        <source>前</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>停</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>后</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>左漂移</source>
        <translation>Drift left</translation>
    </message>
    <message>
        <source>停漂</source>
        <translation>Stop drift</translation>
    </message>
    <message>
        <source>右漂移</source>
        <translation>Drift right</translation>
    </message>
    <message>
        <source>车头校准</source>
        <translation>Heading calibration</translation>
    </message>
    <message>
        <source>中</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>鸣笛</source>
        <translation>Horn</translation>
    </message>
    <message>
        <source>加速</source>
        <translation>Faster</translation>
    </message>
    <message>
        <source>减速</source>
        <translation>Slower</translation>
    </message>
    <message>
        <source>七彩探照灯</source>
        <translation>RGB searchlight</translation>
    </message>
    <message>
        <source>R（红色0~255）</source>
        <translation>R (red 0-255)</translation>
    </message>
    <message>
        <source>G（绿色0~255）</source>
        <translation>G (green 0-255)</translation>
    </message>
    <message>
        <source>B（蓝色0~255）</source>
        <translation>B (blue 0-255)</translation>
    </message>
    <message>
        <source>白色</source>
        <translation>White</translation>
    </message>
    <message>
        <source>红色</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>绿色</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>蓝色</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>传感器数据显示</source>
        <translation>Sensor data</translation>
    </message>
    <message>
        <source>电池电量:</source>
        <translation>Battery:</translation>
    </message>
    <message>
        <source>巡线传感器:</source>
        <translation>Line tracking:</translation>
    </message>
    <message>
        <source>超声波:</source>
        <translation>Ultrasonic:</translation>
    </message>
</context>
<context>
    <name>CProductSelectDlg</name>
    <message>
        <source>Please select the product type first:</source>
        <translation>Please select the product type first:</translation>
    </message>
    <message>
        <source>Development Board</source>
        <translation>Development Board</translation>
    </message>
    <message>
        <source>Development Kit</source>
        <translation>Development Kit</translation>
    </message>
    <message>
        <source>Smart Robot Car</source>
        <translation>Smart Robot Car</translation>
    </message>
    <message>
        <source>Balance Car</source>
        <translation>Balance Car</translation>
    </message>
    <message>
        <source>Tavo 4WD Car</source>
        <translation>Tavo 4WD Car</translation>
    </message>
    <message>
        <source>Pendrix Robot Car</source>
        <translation>Pendrix Robot Car</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CStationSettings</name>
    <message>
        <source>it cannot be read</source>
        <translation>it cannot be read</translation>
    </message>
    <message>
        <source>it is damaged</source>
        <translation>it is damaged</translation>
    </message>
    <message>
        <source>The settings file %1 was not used: %2. Korvane PC starts with its defaults; the old file is kept as %3.</source>
        <translation>The settings file %1 was not used: %2. Korvane PC starts with its defaults; the old file is kept as %3.</translation>
    </message>
    <message>
        <source>The settings file %1 was not used: %2. Korvane PC starts with its defaults and cannot remember settings until the file is removed.</source>
        <translation>The settings file %1 was not used: %2. Korvane PC starts with its defaults and cannot remember settings until the file is removed.</translation>
    </message>
</context>
<context>
    <name>CTavo4WDCarFormView</name>
    <message>
        <source>Tavo 4WD Car</source>
        <translation>Tavo 4WD Car</translation>
    </message>
    <message>
        <source>Video monitoring (Raspberry Pi)</source>
        <translation>Video monitoring (Raspberry Pi)</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Raspberry Pi Configuration</source>
        <translation>Raspberry Pi Configuration</translation>
    </message>
    <message>
        <source>Raspberry Pi video address：</source>
        <translation>Raspberry Pi video address:</translation>
    </message>
    <message>
        <source>Connect video</source>
        <translation>Connect video</translation>
    </message>
    <message>
        <source>Raspberry Pi Control Service：</source>
        <translation>Raspberry Pi control service:</translation>
    </message>
    <message>
        <source>Port：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Connect control</source>
        <translation>Connect control</translation>
    </message>
    <message>
        <source>Robot control area</source>
        <translation>Robot control area</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>Front</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Left Rotating</source>
        <translation>Left Rotating</translation>
    </message>
    <message>
        <source>Right Rotating</source>
        <translation>Right Rotating</translation>
    </message>
    <message>
        <source>Servo pan/tilt control</source>
        <translation>Servo pan/tilt control</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>Middle</translation>
    </message>
    <message>
        <source>Outfire</source>
        <translation>Put out fire</translation>
    </message>
    <message>
        <source>Whistle</source>
        <translation>Whistle</translation>
    </message>
    <message>
        <source>Accelerate</source>
        <translation>Accelerate</translation>
    </message>
    <message>
        <source>Reduce</source>
        <translation>Reduce</translation>
    </message>
    <message>
        <source>Mechanical arm 
advanced control</source>
        <translation>Advanced arm
control</translation>
    </message>
    <message>
        <source>RGB searchlight</source>
        <translation>RGB searchlight</translation>
    </message>
    <message>
        <source>R（Red 0~255）</source>
        <translation>R (red 0-255)</translation>
    </message>
    <message>
        <source>G（Green 0~255）</source>
        <translation>G (green 0-255)</translation>
    </message>
    <message>
        <source>B（Blue 0~255）</source>
        <translation>B (blue 0-255)</translation>
    </message>
    <message>
        <source>White</source>
        <translation>White</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Sensor data display</source>
        <translation>Sensor data display</translation>
    </message>
    <message>
        <source>Battery power:</source>
        <translation>Battery power:</translation>
    </message>
    <message>
        <source>Tracking sensor:</source>
        <translation>Tracking sensor:</translation>
    </message>
    <message>
        <source>Infrared obstacle avoidance sensor:</source>
        <translation>Infrared obstacle avoidance sensor:</translation>
    </message>
    <message>
        <source>Light seek sensor:</source>
        <translation>Light seeking sensor:</translation>
    </message>
    <message>
        <source>Color sensor:</source>
        <translation>Color sensor:</translation>
    </message>
    <message>
        <source>Ultrasonic sensor:</source>
        <translation>Ultrasonic sensor:</translation>
    </message>
    <message>
        <source>Mechanical arm basic control</source>
        <translation>Mechanical arm basic control</translation>
    </message>
    <message>
        <source>J1</source>
        <translation>J1</translation>
    </message>
    <message>
        <source>J2</source>
        <translation>J2</translation>
    </message>
    <message>
        <source>J3</source>
        <translation>J3</translation>
    </message>
    <message>
        <source>J4</source>
        <translation>J4</translation>
    </message>
    <message>
        <source>J5</source>
        <translation>J5</translation>
    </message>
    <message>
        <source>J6</source>
        <translation>J6</translation>
    </message>
    <message>
        <source>Right</source>
        <comment>camera down</comment>
        <translation>Down</translation>
    </message>
</context>
<context>
    <name>CVantrelCarFormView</name>
    <message>
        <source>Vantrel Robot Car</source>
        <translation>Vantrel Robot Car</translation>
    </message>
    <message>
        <source>Korvane Vantrel Robot Car V2.0</source>
        <translation>Korvane Vantrel Robot Car V2.0</translation>
    </message>
    <message>
        <source>前</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>停</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>后</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>左旋</source>
        <translation>Spin left</translation>
    </message>
    <message>
        <source>右旋</source>
        <translation>Spin right</translation>
    </message>
    <message>
        <source>鸣笛</source>
        <translation>Horn</translation>
    </message>
    <message>
        <source>减速</source>
        <translation>Slower</translation>
    </message>
    <message>
        <source>加速</source>
        <translation>Faster</translation>
    </message>
    <message>
        <source>超声波距离：</source>
        <translation>Ultrasonic distance:</translation>
    </message>
    <message>
        <source>Ultrasonic distance</source>
        <translation>Ultrasonic distance</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>Logo</translation>
    </message>
</context>
<context>
    <name>Korvane</name>
    <message numerus="yes">
        <source>Repeated %n more time(s).</source>
        <translation>
            <numerusform>Repeated %n more time.</numerusform>
            <numerusform>Repeated %n more times.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Korvane::BoardFrames</name>
    <message>
        <source>请输入0-23之间正确的小时！</source>
        <translation>Please enter an hour from 0 to 23!</translation>
    </message>
    <message>
        <source>请输入0-59之间正确的分钟！</source>
        <translation>Please enter a minute from 0 to 59!</translation>
    </message>
    <message>
        <source>请输入0-59之间正确的秒！</source>
        <translation>Please enter a second from 0 to 59!</translation>
    </message>
    <message>
        <source>输入必须为1位数值或小数点！</source>
        <translation>Enter one digit or a decimal point!</translation>
    </message>
    <message>
        <source>输入必须为8位数值！</source>
        <translation>Enter 8 digits!</translation>
    </message>
    <message>
        <source>输入必须为4位数值！</source>
        <translation>Enter 4 digits!</translation>
    </message>
    <message>
        <source>除数不能为0</source>
        <translation>Division by zero</translation>
    </message>
    <message>
        <source>结果超出范围！</source>
        <translation>The result is out of range!</translation>
    </message>
</context>
<context>
    <name>Korvane::BrokerUrl</name>
    <message>
        <source>no broker address</source>
        <translation>no broker address</translation>
    </message>
    <message>
        <source>the address must begin with mqtt:// or mqtts://</source>
        <translation>the address must begin with mqtt:// or mqtts://</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a broker address</source>
        <translation>&quot;%1&quot; is not a broker address</translation>
    </message>
    <message>
        <source>a broker address has no path</source>
        <translation>a broker address has no path</translation>
    </message>
    <message>
        <source>the port must be from 1 to 65535</source>
        <translation>the port must be from 1 to 65535</translation>
    </message>
</context>
<context>
    <name>Korvane::CArduinoCarFormView</name>
    <message>
        <source>Drive: turn left</source>
        <translation>Drive: turn left</translation>
    </message>
    <message>
        <source>Drive: turn right</source>
        <translation>Drive: turn right</translation>
    </message>
    <message>
        <source>Second row: left</source>
        <translation>Second row: left</translation>
    </message>
    <message>
        <source>Second row: right</source>
        <translation>Second row: right</translation>
    </message>
</context>
<context>
    <name>Korvane::CBalanceWaveformPane</name>
    <message>
        <source>The recording stopped: %1</source>
        <translation>The recording stopped: %1</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Hold the picture; frames are still read and recorded</source>
        <translation>Hold the picture; frames are still read and recorded</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>Show the whole history again after zooming with the wheel</source>
        <translation>Show the whole history again after zooming with the wheel</translation>
    </message>
    <message>
        <source>Save picture...</source>
        <translation>Save picture...</translation>
    </message>
    <message>
        <source>Save the waveform as a PNG picture</source>
        <translation>Save the waveform as a PNG picture</translation>
    </message>
    <message>
        <source>Record...</source>
        <translation>Record...</translation>
    </message>
    <message>
        <source>Record every telemetry frame to a CSV file</source>
        <translation>Record every telemetry frame to a CSV file</translation>
    </message>
    <message>
        <source>History:</source>
        <translation>History:</translation>
    </message>
    <message>
        <source>%1 samples</source>
        <translation>%1 samples</translation>
    </message>
    <message>
        <source>Values under the pointer</source>
        <translation>Values under the pointer</translation>
    </message>
    <message>
        <source>#%1  gyroscope %2  acceleration %3  voltage %4</source>
        <translation>#%1  gyroscope %2  acceleration %3  voltage %4</translation>
    </message>
    <message>
        <source>Save picture</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <source>PNG pictures (*.png);;All files (*)</source>
        <translation>PNG pictures (*.png);;All files (*)</translation>
    </message>
    <message>
        <source>The picture could not be saved to %1</source>
        <translation>The picture could not be saved to %1</translation>
    </message>
    <message>
        <source>Record telemetry</source>
        <translation>Record telemetry</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV files (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>The recording could not be written to %1: %2</source>
        <translation>The recording could not be written to %1: %2</translation>
    </message>
    <message>
        <source>Recording %1: %2 rows</source>
        <translation>Recording %1: %2 rows</translation>
    </message>
</context>
<context>
    <name>Korvane::CBalenceFormView</name>
    <message>
        <source>Angle loop, proportional gain</source>
        <translation>Angle loop, proportional gain</translation>
    </message>
    <message>
        <source>Angle loop, derivative gain</source>
        <translation>Angle loop, derivative gain</translation>
    </message>
    <message>
        <source>Speed loop, proportional gain</source>
        <translation>Speed loop, proportional gain</translation>
    </message>
    <message>
        <source>Speed loop, integral gain</source>
        <translation>Speed loop, integral gain</translation>
    </message>
    <message>
        <source>%1: up by 0.01</source>
        <translation>%1: up by 0.01</translation>
    </message>
    <message>
        <source>%1: down by 0.01</source>
        <translation>%1: down by 0.01</translation>
    </message>
    <message>
        <source>It&apos;s up to the Max!</source>
        <translation>This is the maximum!</translation>
    </message>
    <message>
        <source>It&apos;s minimized!</source>
        <translation>This is the minimum!</translation>
    </message>
    <message>
        <source>Current mode updates PID for drag slider!</source>
        <translation>Now dragging a slider updates the PID!</translation>
    </message>
    <message>
        <source>The current mode is manual button update PID!</source>
        <translation>Now the PID is updated with the buttons!</translation>
    </message>
    <message>
        <source>Receive PID timeout, please check the communication connection, or retry to get!</source>
        <translation>No PID reply came: check the connection, or query again!</translation>
    </message>
</context>
<context>
    <name>Korvane::CBoardPanel</name>
    <message>
        <source>LED %1</source>
        <translation>LED %1</translation>
    </message>
    <message>
        <source>Stepper motor: turn forward</source>
        <translation>Stepper motor: turn forward</translation>
    </message>
    <message>
        <source>Stepper motor: stop</source>
        <translation>Stepper motor: stop</translation>
    </message>
    <message>
        <source>Stepper motor: turn backward</source>
        <translation>Stepper motor: turn backward</translation>
    </message>
    <message>
        <source>Stepper motor: faster</source>
        <translation>Stepper motor: faster</translation>
    </message>
    <message>
        <source>Stepper motor: slower</source>
        <translation>Stepper motor: slower</translation>
    </message>
    <message>
        <source>Fan: faster</source>
        <translation>Fan: faster</translation>
    </message>
    <message>
        <source>Fan: slower</source>
        <translation>Fan: slower</translation>
    </message>
    <message>
        <source>Fan: start</source>
        <translation>Fan: start</translation>
    </message>
    <message>
        <source>Fan: stop</source>
        <translation>Fan: stop</translation>
    </message>
    <message>
        <source>LCD1602 line %1</source>
        <translation>LCD1602 line %1</translation>
    </message>
    <message>
        <source>1602: line 2</source>
        <translation>1602: line 2</translation>
    </message>
    <message>
        <source>Segment text</source>
        <translation>Segment text</translation>
    </message>
    <message>
        <source>数码管显示:</source>
        <translation>Segment display:</translation>
    </message>
    <message>
        <source>P3 red</source>
        <translation>P3 red</translation>
    </message>
    <message>
        <source>P4 green</source>
        <translation>P4 green</translation>
    </message>
    <message>
        <source>P5 blue</source>
        <translation>P5 blue</translation>
    </message>
</context>
<context>
    <name>Korvane::CClassroomModel</name>
    <message>
        <source>offline since %1</source>
        <translation>offline since %1</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 V</source>
        <translation>%1 V</translation>
    </message>
    <message>
        <source>%1 cm</source>
        <translation>%1 cm</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>Product</source>
        <translation>Product</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Last frame</source>
        <translation>Last frame</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Distance</translation>
    </message>
</context>
<context>
    <name>Korvane::CClassroomView</name>
    <message>
        <source>Frames of %1</source>
        <translation>Frames of %1</translation>
    </message>
    <message>
        <source>connected</source>
        <translation>connected</translation>
    </message>
    <message>
        <source>connecting</source>
        <translation>connecting</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>failed: %1</translation>
    </message>
    <message>
        <source>off</source>
        <translation>off</translation>
    </message>
    <message>
        <source>Broker %1, stations under &quot;%2&quot;: %3</source>
        <translation>Broker %1, stations under &quot;%2&quot;: %3</translation>
    </message>
</context>
<context>
    <name>Korvane::CColorStatu</name>
    <message>
        <source>通信断开</source>
        <translation>Disconnected</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>Baud rate</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>Link state</source>
        <translation>Link state</translation>
    </message>
    <message>
        <source>%1 received frames were dropped: the device sent faster than the station could show them.</source>
        <translation>%1 received frames were dropped: the device sent faster than the station could show them.</translation>
    </message>
    <message>
        <source>MQTT sharing</source>
        <translation>MQTT sharing</translation>
    </message>
</context>
<context>
    <name>Korvane::CConfigDlg</name>
    <message>
        <source>The serial port does not exist or is occupied！</source>
        <translation>The serial port does not exist or is in use!</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>Baud rate</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>Please select a valid serial number first!</source>
        <translation>Please choose a valid serial port first!</translation>
    </message>
    <message>
        <source>Please select the effective baud rate first!</source>
        <translation>Please choose a valid baud rate first!</translation>
    </message>
    <message>
        <source>Open serial port successfully！</source>
        <translation>The serial port is open.</translation>
    </message>
</context>
<context>
    <name>Korvane::CDevelop51FormView</name>
    <message>
        <source>Motion sensor</source>
        <translation>Motion sensor</translation>
    </message>
    <message>
        <source>Sound sensor</source>
        <translation>Sound sensor</translation>
    </message>
    <message>
        <source>Ultrasonic distance</source>
        <translation>Ultrasonic distance</translation>
    </message>
    <message>
        <source>DS18B20 temperature</source>
        <translation>DS18B20 temperature</translation>
    </message>
    <message>
        <source>Current time</source>
        <translation>Current time</translation>
    </message>
    <message>
        <source>LCD12864 line %1</source>
        <translation>LCD12864 line %1</translation>
    </message>
    <message>
        <source>12864: line %1</source>
        <translation>12864: line %1</translation>
    </message>
    <message>
        <source>Hour</source>
        <translation>Hour</translation>
    </message>
    <message>
        <source>Minute</source>
        <translation>Minute</translation>
    </message>
    <message>
        <source>Second</source>
        <translation>Second</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Keypad key (shows the key pressed on the board)</source>
        <translation>Keypad key (shows the key pressed on the board)</translation>
    </message>
    <message>
        <source>现在时间是%1年%2月%3日 %4:%5:%6</source>
        <translation>It is now %1-%2-%3 %4:%5:%6</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Please enter an integer.</translation>
    </message>
</context>
<context>
    <name>Korvane::CDevelopARFormView</name>
    <message>
        <source>Button %1</source>
        <translation>Button %1</translation>
    </message>
    <message>
        <source>Touch switch</source>
        <translation>Touch switch</translation>
    </message>
    <message>
        <source>Tilt switch</source>
        <translation>Tilt switch</translation>
    </message>
    <message>
        <source>Motion sensor</source>
        <translation>Motion sensor</translation>
    </message>
    <message>
        <source>Sound sensor</source>
        <translation>Sound sensor</translation>
    </message>
    <message>
        <source>Joystick up</source>
        <translation>Joystick up</translation>
    </message>
    <message>
        <source>Joystick down</source>
        <translation>Joystick down</translation>
    </message>
    <message>
        <source>Joystick left</source>
        <translation>Joystick left</translation>
    </message>
    <message>
        <source>Joystick right</source>
        <translation>Joystick right</translation>
    </message>
    <message>
        <source>Joystick upper left</source>
        <translation>Joystick upper left</translation>
    </message>
    <message>
        <source>Joystick upper right</source>
        <translation>Joystick upper right</translation>
    </message>
    <message>
        <source>Joystick lower left</source>
        <translation>Joystick lower left</translation>
    </message>
    <message>
        <source>Joystick lower right</source>
        <translation>Joystick lower right</translation>
    </message>
    <message>
        <source>Joystick centre</source>
        <translation>Joystick centre</translation>
    </message>
    <message>
        <source>Ultrasonic distance</source>
        <translation>Ultrasonic distance</translation>
    </message>
    <message>
        <source>DS18B20 temperature</source>
        <translation>DS18B20 temperature</translation>
    </message>
    <message>
        <source>DHT11 air temperature</source>
        <translation>DHT11 air temperature</translation>
    </message>
    <message>
        <source>DHT11 humidity</source>
        <translation>DHT11 humidity</translation>
    </message>
    <message>
        <source>Servo angle</source>
        <translation>Servo angle</translation>
    </message>
</context>
<context>
    <name>Korvane::CDigiStatic</name>
    <message>
        <source>Segment display</source>
        <translation>Segment display</translation>
    </message>
</context>
<context>
    <name>Korvane::CDlgGridCtrl</name>
    <message>
        <source>Switch every dot on</source>
        <translation>Switch every dot on</translation>
    </message>
    <message>
        <source>Switch every dot off</source>
        <translation>Switch every dot off</translation>
    </message>
</context>
<context>
    <name>Korvane::CDlgManipulator</name>
    <message>
        <source>Arm step lists (*.json);;All files (*)</source>
        <translation>Arm step lists (*.json);;All files (*)</translation>
    </message>
    <message>
        <source>Joint %1</source>
        <translation>Joint %1</translation>
    </message>
    <message>
        <source>Joint %1 angle</source>
        <translation>Joint %1 angle</translation>
    </message>
    <message>
        <source>Taught steps</source>
        <translation>Taught steps</translation>
    </message>
    <message>
        <source>Milliseconds, 0 to 60000</source>
        <translation>Milliseconds, 0 to 60000</translation>
    </message>
    <message>
        <source>Every slider move is sent to the arm</source>
        <translation>Every slider move is sent to the arm</translation>
    </message>
    <message>
        <source>A joint angle is a whole number from 0 to 180.</source>
        <translation>A joint angle is a whole number from 0 to 180.</translation>
    </message>
    <message numerus="yes">
        <source>Discard the %n taught step(s) not saved to a file?</source>
        <translation>
            <numerusform>Discard the %n taught step not saved to a file?</numerusform>
            <numerusform>Discard the %n taught steps not saved to a file?</numerusform>
        </translation>
    </message>
    <message>
        <source>A list holds at most %1 steps.</source>
        <translation>A list holds at most %1 steps.</translation>
    </message>
    <message>
        <source>The delay between steps is a whole number of milliseconds from 0 to 60000.</source>
        <translation>The delay between steps is a whole number of milliseconds from 0 to 60000.</translation>
    </message>
    <message>
        <source>The last step list could not be read: %1</source>
        <translation>The last step list could not be read: %1</translation>
    </message>
    <message>
        <source>Open step list</source>
        <translation>Open step list</translation>
    </message>
    <message>
        <source>the file is too large for a step list</source>
        <translation>the file is too large for a step list</translation>
    </message>
    <message>
        <source>The step list %1 could not be read: %2</source>
        <translation>The step list %1 could not be read: %2</translation>
    </message>
    <message>
        <source>Save step list</source>
        <translation>Save step list</translation>
    </message>
    <message>
        <source>The step list could not be written to %1: %2</source>
        <translation>The step list could not be written to %1: %2</translation>
    </message>
</context>
<context>
    <name>Korvane::CDotGrid</name>
    <message>
        <source>Dot matrix</source>
        <translation>Dot matrix</translation>
    </message>
    <message>
        <source>Row %1, column %2</source>
        <translation>Row %1, column %2</translation>
    </message>
    <message>
        <source>lit</source>
        <translation>lit</translation>
    </message>
    <message>
        <source>dark</source>
        <translation>dark</translation>
    </message>
</context>
<context>
    <name>Korvane::CFrameMonitor</name>
    <message>
        <source>Frame monitor</source>
        <translation>Frame monitor</translation>
    </message>
    <message>
        <source>Frame monitor(&amp;M)</source>
        <translation>Frame monitor(&amp;M)</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop the list while frames keep being taken</source>
        <translation>Stop the list while frames keep being taken</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Empty the list</source>
        <translation>Empty the list</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Copy the selected rows</source>
        <translation>Copy the selected rows</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>Write the listed rows to a text file</source>
        <translation>Write the listed rows to a text file</translation>
    </message>
    <message>
        <source>Filter:</source>
        <translation>Filter:</translation>
    </message>
    <message>
        <source>Frames</source>
        <translation>Frames</translation>
    </message>
    <message>
        <source>Frames listed and dropped</source>
        <translation>Frames listed and dropped</translation>
    </message>
    <message>
        <source>Save frames</source>
        <translation>Save frames</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Text files (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>The frames could not be saved to %1: %2</source>
        <translation>The frames could not be saved to %1: %2</translation>
    </message>
    <message>
        <source>%1 frames listed</source>
        <translation>%1 frames listed</translation>
    </message>
    <message>
        <source> (of %1)</source>
        <translation> (of %1)</translation>
    </message>
    <message>
        <source>; %1 older frames dropped from the list (it keeps %2)</source>
        <translation>; %1 older frames dropped from the list (it keeps %2)</translation>
    </message>
    <message>
        <source>; %1 frames dropped by the station</source>
        <translation>; %1 frames dropped by the station</translation>
    </message>
    <message>
        <source>; paused, %1 waiting</source>
        <translation>; paused, %1 waiting</translation>
    </message>
</context>
<context>
    <name>Korvane::CFrameMonitorModel</name>
    <message>
        <source>Time (ms)</source>
        <translation>Time (ms)</translation>
    </message>
    <message>
        <source>Dir</source>
        <translation>Dir</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Frame</translation>
    </message>
</context>
<context>
    <name>Korvane::CKorvaneDoc</name>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Save As</translation>
    </message>
</context>
<context>
    <name>Korvane::CLamp</name>
    <message>
        <source>Lamp</source>
        <translation>Lamp</translation>
    </message>
    <message>
        <source>on</source>
        <translation>on</translation>
    </message>
    <message>
        <source>off</source>
        <translation>off</translation>
    </message>
</context>
<context>
    <name>Korvane::CMainFrame</name>
    <message>
        <source>The serial port is not open or has been disconnected. Please reconnect!</source>
        <translation>The serial port is not open or has been disconnected. Please reconnect!</translation>
    </message>
    <message>
        <source>File(&amp;F)</source>
        <translation>File(&amp;F)</translation>
    </message>
    <message>
        <source>New(&amp;N)</source>
        <translation>New(&amp;N)</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>Create a new document</translation>
    </message>
    <message>
        <source>Open(&amp;O)...</source>
        <translation>Open(&amp;O)...</translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation>Open an existing document</translation>
    </message>
    <message>
        <source>Save(&amp;S)</source>
        <translation>Save(&amp;S)</translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation>Save the active document</translation>
    </message>
    <message>
        <source>Save As(&amp;A)...</source>
        <translation>Save As(&amp;A)...</translation>
    </message>
    <message>
        <source>Exit(&amp;X)</source>
        <translation>Exit(&amp;X)</translation>
    </message>
    <message>
        <source>Edit(&amp;E)</source>
        <translation>Edit(&amp;E)</translation>
    </message>
    <message>
        <source>Undo(&amp;U)</source>
        <translation>Undo(&amp;U)</translation>
    </message>
    <message>
        <source>Cut(&amp;T)</source>
        <translation>Cut(&amp;T)</translation>
    </message>
    <message>
        <source>Copy(&amp;C)</source>
        <translation>Copy(&amp;C)</translation>
    </message>
    <message>
        <source>Paste(&amp;P)</source>
        <translation>Paste(&amp;P)</translation>
    </message>
    <message>
        <source>View(&amp;V)</source>
        <translation>View(&amp;V)</translation>
    </message>
    <message>
        <source>Toolbar(&amp;T)</source>
        <translation>Toolbar(&amp;T)</translation>
    </message>
    <message>
        <source>Status Bar(&amp;S)</source>
        <translation>Status Bar(&amp;S)</translation>
    </message>
    <message>
        <source>Language(&amp;L)</source>
        <translation>Language(&amp;L)</translation>
    </message>
    <message>
        <source>Product Select</source>
        <translation>Product Select</translation>
    </message>
    <message>
        <source>Config</source>
        <translation>Config</translation>
    </message>
    <message>
        <source>Bluetooth/COM Config</source>
        <translation>Bluetooth/COM Config</translation>
    </message>
    <message>
        <source>Help(&amp;H)</source>
        <translation>Help(&amp;H)</translation>
    </message>
    <message>
        <source>About Korvane(&amp;A)...</source>
        <translation>About Korvane(&amp;A)...</translation>
    </message>
    <message>
        <source>Show the program&apos;s version</source>
        <translation>Show the program&apos;s version</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Open/Close</source>
        <translation>Open/Close</translation>
    </message>
    <message>
        <source>打开或者关闭串口!</source>
        <translation>Open or close the serial port!</translation>
    </message>
    <message>
        <source>打开或者关闭串口</source>
        <translation>Open or close the serial port</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>The translation for %1 could not be found; the captions stay as they are.</source>
        <translation>The translation for %1 could not be found; the captions stay as they are.</translation>
    </message>
    <message>
        <source>Nomal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Fail</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>CLOSE</source>
        <translation>Closed</translation>
    </message>
    <message>
        <source>Opening</source>
        <translation>Opening</translation>
    </message>
    <message>
        <source>Share over MQTT...</source>
        <translation>Share over MQTT...</translation>
    </message>
    <message>
        <source>The password is kept in the desktop&apos;s keyring.</source>
        <translation>The password is kept in the desktop&apos;s keyring.</translation>
    </message>
    <message>
        <source>No keyring answers on this desktop: a password typed here is used until the station ends, not remembered. KORVANE_MQTT_PASSWORD can give it to unattended runs.</source>
        <translation>No keyring answers on this desktop: a password typed here is used until the station ends, not remembered. KORVANE_MQTT_PASSWORD can give it to unattended runs.</translation>
    </message>
    <message>
        <source>Classroom...</source>
        <translation>Classroom...</translation>
    </message>
    <message>
        <source>Set up the broker first, in Config → Share over MQTT...</source>
        <translation>Set up the broker first, in Config → Share over MQTT...</translation>
    </message>
</context>
<context>
    <name>Korvane::CMqttBridge</name>
    <message>
        <source>the MQTT client could not be made</source>
        <translation>the MQTT client could not be made</translation>
    </message>
    <message>
        <source>TLS could not be set up: %1</source>
        <translation>TLS could not be set up: %1</translation>
    </message>
    <message>
        <source>the broker did not answer</source>
        <translation>the broker did not answer</translation>
    </message>
    <message>
        <source>the broker closed the connection</source>
        <translation>the broker closed the connection</translation>
    </message>
    <message>
        <source>the broker&apos;s name was not found: %1</source>
        <translation>the broker&apos;s name was not found: %1</translation>
    </message>
    <message>
        <source>the MQTT library was not set up</source>
        <translation>the MQTT library was not set up</translation>
    </message>
</context>
<context>
    <name>Korvane::CMqttDlg</name>
    <message>
        <source>Certificate authority</source>
        <translation>Certificate authority</translation>
    </message>
    <message>
        <source>Certificates (*.crt *.pem);;All files (*)</source>
        <translation>Certificates (*.crt *.pem);;All files (*)</translation>
    </message>
    <message>
        <source>Other programs on the broker may drive the device through this station</source>
        <translation>Other programs on the broker may drive the device through this station</translation>
    </message>
    <message>
        <source>The broker address is not usable: %1</source>
        <translation>The broker address is not usable: %1</translation>
    </message>
    <message>
        <source>The topic prefix must not be empty nor hold &quot;+&quot; or &quot;#&quot;.</source>
        <translation>The topic prefix must not be empty nor hold &quot;+&quot; or &quot;#&quot;.</translation>
    </message>
</context>
<context>
    <name>Korvane::CMqttShare</name>
    <message numerus="yes">
        <source>%n message(s) dropped: the broker was slower than the station</source>
        <translation>
            <numerusform>%n message dropped: the broker was slower than the station</numerusform>
            <numerusform>%n messages dropped: the broker was slower than the station</numerusform>
        </translation>
    </message>
    <message>
        <source>Remote control allowed: %1 commands taken, %2 refused</source>
        <translation>Remote control allowed: %1 commands taken, %2 refused</translation>
    </message>
    <message>
        <source>MQTT: on, remotely driven</source>
        <translation>MQTT: on, remotely driven</translation>
    </message>
    <message>
        <source>MQTT: on</source>
        <translation>MQTT: on</translation>
    </message>
    <message>
        <source>MQTT: connecting</source>
        <translation>MQTT: connecting</translation>
    </message>
    <message>
        <source>MQTT: failed</source>
        <translation>MQTT: failed</translation>
    </message>
    <message>
        <source>MQTT: off</source>
        <translation>MQTT: off</translation>
    </message>
</context>
<context>
    <name>Korvane::CPanelBase</name>
    <message>
        <source>The serial port is not open or has been disconnected. Please reconnect!</source>
        <translation>The serial port is not open or has been disconnected. Please reconnect!</translation>
    </message>
</context>
<context>
    <name>Korvane::CPendrixFormView</name>
    <message>
        <source>Ultrasonic distance</source>
        <translation>Ultrasonic distance</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>Drive: turn left</source>
        <translation>Drive: turn left</translation>
    </message>
    <message>
        <source>Drive: turn right</source>
        <translation>Drive: turn right</translation>
    </message>
    <message>
        <source>Store the heading as position 1</source>
        <translation>Store the heading as position 1</translation>
    </message>
    <message>
        <source>Store the heading as position 2</source>
        <translation>Store the heading as position 2</translation>
    </message>
    <message>
        <source>Store the heading as position 3</source>
        <translation>Store the heading as position 3</translation>
    </message>
</context>
<context>
    <name>Korvane::CPictureEx</name>
    <message>
        <source>Picture</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>playing</source>
        <translation>playing</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>stopped</translation>
    </message>
</context>
<context>
    <name>Korvane::CPortCombo</name>
    <message>
        <source>In HKEY_LOCAL_MACHINE:Hardware\DeviceMap\SerialComm don&apos;t find Com!!!</source>
        <translation>In HKEY_LOCAL_MACHINE:Hardware\DeviceMap\SerialComm don&apos;t find Com!!!</translation>
    </message>
    <message>
        <source>No serial port found!</source>
        <translation>No serial port found!</translation>
    </message>
</context>
<context>
    <name>Korvane::CSnapshotVideo</name>
    <message>
        <source>Download Fail!</source>
        <translation>Download failed!</translation>
    </message>
    <message>
        <source>Connect video</source>
        <translation>Connect video</translation>
    </message>
    <message>
        <source>Disconnect video</source>
        <translation>Disconnect video</translation>
    </message>
    <message>
        <source>下载失败</source>
        <translation>Download failed!</translation>
    </message>
    <message>
        <source>连接视频</source>
        <translation>Connect video</translation>
    </message>
    <message>
        <source>断开视频</source>
        <translation>Disconnect video</translation>
    </message>
</context>
<context>
    <name>Korvane::CTavo4WDCarFormView</name>
    <message>
        <source>Obstacle sensor %1</source>
        <translation>Obstacle sensor %1</translation>
    </message>
    <message>
        <source>Light seeking sensor %1</source>
        <translation>Light seeking sensor %1</translation>
    </message>
    <message>
        <source>Ultrasonic distance</source>
        <translation>Ultrasonic distance</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>Colour sensor</source>
        <translation>Colour sensor</translation>
    </message>
    <message>
        <source>Colour sensor colour</source>
        <translation>Colour sensor colour</translation>
    </message>
    <message>
        <source>Camera up</source>
        <translation>Camera up</translation>
    </message>
    <message>
        <source>Camera down</source>
        <translation>Camera down</translation>
    </message>
    <message>
        <source>Camera left</source>
        <translation>Camera left</translation>
    </message>
    <message>
        <source>Camera right</source>
        <translation>Camera right</translation>
    </message>
    <message>
        <source>Drive: turn left</source>
        <translation>Drive: turn left</translation>
    </message>
    <message>
        <source>Drive: turn right</source>
        <translation>Drive: turn right</translation>
    </message>
    <message>
        <source>Servo to the left end</source>
        <translation>Servo to the left end</translation>
    </message>
    <message>
        <source>Servo to the right end</source>
        <translation>Servo to the right end</translation>
    </message>
</context>
<context>
    <name>Korvane::CTchart_wave</name>
    <message>
        <source>Gyroscope</source>
        <translation>Gyroscope</translation>
    </message>
    <message>
        <source>Acceleration</source>
        <translation>Acceleration</translation>
    </message>
    <message>
        <source>Battery voltage</source>
        <translation>Battery voltage</translation>
    </message>
    <message>
        <source>Wave shape display</source>
        <translation>Waveform</translation>
    </message>
    <message>
        <source>Waveform chart</source>
        <translation>Waveform chart</translation>
    </message>
</context>
<context>
    <name>Korvane::CVideoArea</name>
    <message>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>No picture</translation>
    </message>
    <message>
        <source>Live camera picture</source>
        <translation>Live camera picture</translation>
    </message>
</context>
<context>
    <name>Korvane::CWifiCarPanel</name>
    <message>
        <source>Searchlight colour</source>
        <translation>Searchlight colour</translation>
    </message>
    <message>
        <source>Control connection</source>
        <translation>Control connection</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>Tracking sensor %1</source>
        <translation>Tracking sensor %1</translation>
    </message>
</context>
<context>
    <name>Korvane::CWifiControlClient</name>
    <message>
        <source>The server address or port cannot be NULL</source>
        <translation>The server address and port cannot be empty</translation>
    </message>
    <message>
        <source>Connecting to server....<byte value="xd"/>
</source>
        <translation>Connecting to server....<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>FD_ISSET do not write!</source>
        <translation>The server cannot be reached!</translation>
    </message>
    <message>
        <source>getsockopt error!</source>
        <translation>The connection failed!</translation>
    </message>
    <message>
        <source>Connection to server successful!<byte value="xd"/>
</source>
        <translation> connected to the server!<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Close conection</source>
        <translation>Close connection</translation>
    </message>
    <message>
        <source>Successfully closed soket！</source>
        <translation>Connection closed.</translation>
    </message>
    <message>
        <source>Connect control</source>
        <translation>Connect control</translation>
    </message>
    <message>
        <source>Connection closed by the server!<byte value="xd"/>
</source>
        <translation>Connection closed by the server!<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>服务器地址或者端口不能为NULL</source>
        <translation>The server address and port cannot be empty</translation>
    </message>
    <message>
        <source>正在连接服务器....<byte value="xd"/>
</source>
        <translation>Connecting to the server....<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>FD_ISSET 不可写!</source>
        <translation>The server cannot be reached!</translation>
    </message>
    <message>
        <source>getsockopt 有错!</source>
        <translation>The connection failed!</translation>
    </message>
    <message>
        <source>连接服务器成功！<byte value="xd"/>
</source>
        <translation> connected to the server!<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>关闭连接</source>
        <translation>Close connection</translation>
    </message>
    <message>
        <source>成功关闭soket！</source>
        <translation>Connection closed.</translation>
    </message>
    <message>
        <source>连接控制</source>
        <translation>Connect control</translation>
    </message>
    <message>
        <source>服务器已关闭连接！<byte value="xd"/>
</source>
        <translation>The server closed the connection!<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>Korvane::ColourWords</name>
    <message>
        <source>black</source>
        <translation>black</translation>
    </message>
    <message>
        <source>white</source>
        <translation>white</translation>
    </message>
    <message>
        <source>dark grey</source>
        <translation>dark grey</translation>
    </message>
    <message>
        <source>light grey</source>
        <translation>light grey</translation>
    </message>
    <message>
        <source>grey</source>
        <translation>grey</translation>
    </message>
    <message>
        <source>red</source>
        <translation>red</translation>
    </message>
    <message>
        <source>orange</source>
        <translation>orange</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>yellow</translation>
    </message>
    <message>
        <source>green</source>
        <translation>green</translation>
    </message>
    <message>
        <source>cyan</source>
        <translation>cyan</translation>
    </message>
    <message>
        <source>blue</source>
        <translation>blue</translation>
    </message>
    <message>
        <source>purple</source>
        <translation>purple</translation>
    </message>
    <message>
        <source>magenta</source>
        <translation>magenta</translation>
    </message>
    <message>
        <source>dark %1</source>
        <translation>dark %1</translation>
    </message>
    <message>
        <source>light %1</source>
        <translation>light %1</translation>
    </message>
</context>
<context>
    <name>Korvane::Gallery</name>
    <message>
        <source>Korvane PC widget gallery</source>
        <translation>Korvane PC widget gallery</translation>
    </message>
    <message>
        <source>Segment display</source>
        <translation>Segment display</translation>
    </message>
    <message>
        <source>Coloured button</source>
        <translation>Coloured button</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Red face</source>
        <translation>Red face</translation>
    </message>
    <message>
        <source>Pointer over</source>
        <translation>Pointer over</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Disabled</translation>
    </message>
    <message>
        <source>A caption too long for the button</source>
        <translation>A caption too long for the button</translation>
    </message>
    <message>
        <source>Animated picture and lamps</source>
        <translation>Animated picture and lamps</translation>
    </message>
    <message>
        <source>lamp off</source>
        <translation>lamp off</translation>
    </message>
    <message>
        <source>lamp on</source>
        <translation>lamp on</translation>
    </message>
</context>
<context>
    <name>Korvane::Language</name>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
</context>
<context>
    <name>Korvane::Product</name>
    <message>
        <source>Alder Development Board</source>
        <translation>Alder Development Board</translation>
    </message>
    <message>
        <source>Development Board</source>
        <translation>Development Board</translation>
    </message>
    <message>
        <source>Alder Compact Development Board</source>
        <translation>Alder Compact Development Board</translation>
    </message>
    <message>
        <source>Alder Development Kit</source>
        <translation>Alder Development Kit</translation>
    </message>
    <message>
        <source>Development Kit</source>
        <translation>Development Kit</translation>
    </message>
    <message>
        <source>Birch Basic Kit</source>
        <translation>Birch Basic Kit</translation>
    </message>
    <message>
        <source>Birch Sensor Kit</source>
        <translation>Birch Sensor Kit</translation>
    </message>
    <message>
        <source>Birch Robot Car</source>
        <translation>Birch Robot Car</translation>
    </message>
    <message>
        <source>Smart Robot Car</source>
        <translation>Smart Robot Car</translation>
    </message>
    <message>
        <source>Vantrel Robot Car</source>
        <translation>Vantrel Robot Car</translation>
    </message>
    <message>
        <source>Alder Robot Car</source>
        <translation>Alder Robot Car</translation>
    </message>
    <message>
        <source>Birch Balance Car</source>
        <translation>Birch Balance Car</translation>
    </message>
    <message>
        <source>Balance Car</source>
        <translation>Balance Car</translation>
    </message>
    <message>
        <source>Cedar Balance Car</source>
        <translation>Cedar Balance Car</translation>
    </message>
    <message>
        <source>Tavo 4WD Car (Arduino)</source>
        <translation>Tavo 4WD Car (Arduino)</translation>
    </message>
    <message>
        <source>Tavo 4WD Car</source>
        <translation>Tavo 4WD Car</translation>
    </message>
    <message>
        <source>Tavo 4WD Car (51)</source>
        <translation>Tavo 4WD Car (51)</translation>
    </message>
    <message>
        <source>Tavo 4WD Car (STM32)</source>
        <translation>Tavo 4WD Car (STM32)</translation>
    </message>
    <message>
        <source>Tavo 4WD Car (Raspberry Pi)</source>
        <translation>Tavo 4WD Car (Raspberry Pi)</translation>
    </message>
    <message>
        <source>Pendrix Robot Car (STM32)</source>
        <translation>Pendrix Robot Car (STM32)</translation>
    </message>
    <message>
        <source>Pendrix Robot Car</source>
        <translation>Pendrix Robot Car</translation>
    </message>
    <message>
        <source>Pendrix Robot Car (Raspberry Pi)</source>
        <translation>Pendrix Robot Car (Raspberry Pi)</translation>
    </message>
    <message>
        <source>Pendrix Robot Car (Test Variant)</source>
        <translation>Pendrix Robot Car (Test Variant)</translation>
    </message>
</context>
<context>
    <name>Korvane::Startup</name>
    <message>
        <source>The GBK text codec is missing (Qt was built without ICU): Korvane PC cannot talk to the boards.</source>
        <translation>The GBK text codec is missing (Qt was built without ICU): Korvane PC cannot talk to the boards.</translation>
    </message>
</context>
<context>
    <name>PortAdvice</name>
    <message>
        <source>You may not open %1 (%2). Ask the administrator for access to it.</source>
        <translation>You may not open %1 (%2). Ask the administrator for access to it.</translation>
    </message>
    <message>
        <source>You may not open %1 yet: you were added to the group &quot;%2&quot;, but this login does not have it. Log out and in again.</source>
        <translation>You may not open %1 yet: you were added to the group &quot;%2&quot;, but this login does not have it. Log out and in again.</translation>
    </message>
    <message>
        <source>You may not open %1: only members of the group &quot;%2&quot; may, and you are not one. Join the group with
    sudo usermod -aG %2 %3
then log out and in again.</source>
        <translation>You may not open %1: only members of the group &quot;%2&quot; may, and you are not one. Join the group with
    sudo usermod -aG %2 %3
then log out and in again.</translation>
    </message>
    <message>
        <source>%1 is in use by another program: %2 (process %3). Close it, or disconnect it from the port, and open again.</source>
        <translation>%1 is in use by another program: %2 (process %3). Close it, or disconnect it from the port, and open again.</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>%1 is in use by another program, which could not be identified. Close the program that uses it and open again.</source>
        <translation>%1 is in use by another program, which could not be identified. Close the program that uses it and open again.</translation>
    </message>
    <message>
        <source>%1 is not there: the device is unplugged or switched off, or the name is mistyped. No serial port is present now.</source>
        <translation>%1 is not there: the device is unplugged or switched off, or the name is mistyped. No serial port is present now.</translation>
    </message>
    <message>
        <source>The port</source>
        <translation>The port</translation>
    </message>
    <message>
        <source>%1 is not there: the device is unplugged or switched off, or the name is mistyped. Ports present now: %2.</source>
        <translation>%1 is not there: the device is unplugged or switched off, or the name is mistyped. Ports present now: %2.</translation>
    </message>
    <message>
        <source>The system said: %1</source>
        <translation>The system said: %1</translation>
    </message>
    <message>
        <source>Nothing answered at %1, port %2. This PC must be on the car&apos;s Wi-Fi (its access point) and the car switched on.</source>
        <translation>Nothing answered at %1, port %2. This PC must be on the car&apos;s Wi-Fi (its access point) and the car switched on.</translation>
    </message>
</context>
<context>
    <name>PortListText</name>
    <message>
        <source>Bluetooth</source>
        <translation>Bluetooth</translation>
    </message>
    <message>
        <source>serial %1</source>
        <translation>serial %1</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>the file is not a step list (%1)</source>
        <translation>the file is not a step list (%1)</translation>
    </message>
    <message>
        <source>the delay must be a whole number of milliseconds from 0 to %1</source>
        <translation>the delay must be a whole number of milliseconds from 0 to %1</translation>
    </message>
    <message>
        <source>the steps must be a list of at most %1 poses</source>
        <translation>the steps must be a list of at most %1 poses</translation>
    </message>
    <message>
        <source>step %1 is not six angles from 0 to 180</source>
        <translation>step %1 is not six angles from 0 to 180</translation>
    </message>
</context>
</TS>
